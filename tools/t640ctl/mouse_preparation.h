#pragma once
#include <string>

#include "devices/mouse/driver/mouse_driver.h"

// What apply and export read first, as the program reads an attached mouse: the information block
// (a mouse this program has not set up is refused, never claimed from here) and the button image,
// with the places of the buttons kept in the kind's data folder. Empty when ready, otherwise the
// reason, one line.
std::string PrepareMouse(CMouseDriver& driver, const std::string& dataFolder);

// "<step>: <what the code means> (result N)", for the messages of a failed transaction.
std::string FailedStepText(const char* step, int result);
