#pragma once

#include <string>

// What the command line asks of the main window.
struct MainWindowOptions {
  // Save the window as a PNG once the first scan and the device reads have settled, then exit.
  std::string screenshotPath;
  // The function page the selected device shows once the first scan has found it; 0 for its own.
  int openFunction = 0;
  // Open the colour window for the selected mouse's current stage once the devices have been read;
  // with a screenshot path, that window is pictured instead of the main window.
  bool openColourWindow = false;
  // Open the skin panel, the about window or the settings window once the devices have been read;
  // with a screenshot path, that window is pictured instead of the main window.
  bool openSkinPanel = false;
  bool openAboutWindow = false;
  bool openSettingsWindow = false;
  // The version the build gives the program, as `t640 --version` prints it; the settings window
  // lists it.
  std::string programVersion;
  // Where the per-user data lives; empty for the user's own folder.
  std::string userDataFolder;
  // The locale of the user's messages (LC_ALL, LC_MESSAGES, LANG): the language of a start
  // without a stored choice.
  std::string messagesLocale;
  // Tests: a tray icon that exists without a desktop's tray (CTrayIcon::Host::kStandIn).
  bool standInTray = false;
  // Start hidden in the tray (shown as usual when there is no tray).
  bool startInTray = false;
};
