#pragma once
// Ids of the icons every Win32 executable of Batora carries (res/batora.rc.in); the program
// icon comes first, so that the shell shows it for the file.

#define BATORA_ICON_PROGRAM 1
#define BATORA_ICON_LOG_RENAME 101
#define BATORA_ICON_LOG_ERROR 102
