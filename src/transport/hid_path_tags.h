#pragma once
#include <cstdint>
#include <string_view>

// Numbers read from the tags of an interface path; each is 0 when its tag is absent. Tags and
// digits are matched without regard to case, and a value wider than 16 bits keeps its low bits.
uint16_t GetVidFromPath(std::string_view path);
uint16_t GetPidFromPath(std::string_view path);
uint16_t GetInterfaceFromPath(std::string_view path);
uint16_t GetCollectionFromPath(std::string_view path);
