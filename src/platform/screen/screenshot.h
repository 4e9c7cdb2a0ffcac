// Screenshots: the frame on the screen as a palette PNG in the user's pictures folder.
#pragma once

#include "platform/host/host.h"

#include <ctime>
#include <string>

// The folder named by XDG_PICTURES_DIR in the text of a user-dirs.dirs file, with a leading
// "$HOME" put as `home`; empty when the text names none. Only the file's own forms count: a
// quoted path that is absolute or starts with "$HOME".
std::string UserDirsPictures(const std::string& text, const std::string& home);

// The user's pictures folder, found as `xdg-user-dir PICTURES` finds it: the user-dirs.dirs
// file (in $XDG_CONFIG_HOME, or ~/.config) first, then the XDG_PICTURES_DIR variable; the home
// folder when neither names a folder that exists. Empty when not even a home folder is known.
std::string PicturesFolder();

// The name of a screenshot taken at local time `when`: "gaiablade-2024-05-31-21-04-59.png";
// a `serial` above 1 is added ("...-59-2.png") for a second shot in the same second.
std::string ScreenshotName(const std::tm& when, int serial = 1);

// Writes an 8-bit frame as a palette PNG with the frame's exact colours. False for a 16-bit
// frame or when the file cannot be written.
bool ScreenshotWrite(const HostFrame& frame, const std::string& path);

// Writes the frame into `folder` under a new screenshot name for the present time, never
// over an existing file. Returns the file's path, or empty when nothing was written.
std::string ScreenshotSave(const HostFrame& frame, const std::string& folder);
