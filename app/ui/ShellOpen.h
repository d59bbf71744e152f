#pragma once

// Opening files and web pages through the shell, with one kind of failure message.

#include <windows.h>

#include <string>

class CText;

// Asks the shell to apply the verb ("open", "print", ...) to the file. On failure
// shows the message, its first "[FILEPATH]" replaced by the file and its first
// "[ERROR]" by the explanation of the shell's answer, under the caption with an error
// icon, owned by the owner window. Answers whether the shell took the request.
bool ShellOpenFile(HWND owner, const char* verb, const std::string& file, const CText& message,
                   const CText& caption);
// ShellOpenFile with "open" for a web address.
bool OpenWebPage(HWND owner, const std::string& address, const CText& message,
                 const CText& caption);

// The on-line update page's address; source is a short word that tells where the
// request came from ("menu" from the main window's menu).
std::string GetUpdateWebPageAddress(const char* source);
// Opens that page, or shows why it could not be opened.
bool OpenUpdateWebPage(HWND owner, const char* source);
