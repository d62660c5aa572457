#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

// Reads the shipped skin, language files and sources the way a reviewer would check them: which
// files there are, which language keys they use and which images they name.

// Every .xml under the skin folder (layouts, the style sheet, res.xml), as absolute paths.
std::vector<std::string> SkinXmlFiles();
// The layouts only: files whose root is a Window or a control.
std::vector<std::string> SkinLayoutFiles();

// Language keys a layout uses: the text of every element with resourcetext="true" (given on the
// element or by a style or class default of the shared style sheet) and every tooltip, mapped to
// the file that uses it first.
std::map<std::string, std::string> LayoutTextKeys();
// Keys code hands to controls: the string literal given to TextKey anywhere under src/, with the
// file.
std::map<std::string, std::string> CodeTextKeys();

// The language files DefaultData/Language.config lists.
std::vector<std::string> ShippedLanguageFiles();
// The keys of a language file; duplicates are reported in duplicates.
std::set<std::string> LanguageKeys(const std::string& path, std::vector<std::string>* duplicates = nullptr);

// Every image name the skin's XML files give in an image attribute or image string.
std::map<std::string, std::string> SkinImageNames();
