#pragma once
#include <QImage>

#include <string>

#include "ui/toolkit/ui_types.h"

class CControlUI;
class CPaintManagerUI;

// Shared helpers of the control tests: the shipped skin, offscreen renders and input that goes
// through a window the way the window system delivers it.

// The repository's skin folder and data folder, with a trailing '/'.
std::string SkinFolder();
std::string ShippedDataFolder();
// Points the toolkit at the shipped skin, registers the program's controls and loads a shipped
// language file.
void UseShippedSkin(const std::string& language = "lan_en.xml");

// Builds the layout (a file of the skin or XML text) into the manager as its tree.
CControlUI* BuildInto(CPaintManagerUI& manager, const std::string& layout);
// Paints the manager's tree into an image of the given size.
QImage Render(CPaintManagerUI& manager, SIZE size);

bool NearColor(QRgb actual, QRgb expected, int tolerance = 10);

// Button-down, move and button-up at window pixels.
void MouseDown(HWND window, POINT point, WPARAM keyState = 0);
void MouseUp(HWND window, POINT point, WPARAM keyState = 0);
void DragFromTo(HWND window, POINT from, POINT to);
