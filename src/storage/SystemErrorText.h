#pragma once

#include <QString>

// Short Italian reasons for the operating system's error codes (errno values, or the codes
// of GetLastError on Windows), worded for a user who is not technical.
namespace SystemErrorText {

QString reason(int code);
// The calling thread's last error code, and clearing it before a call that may not set it.
int lastCode();
void clearLast();

} // namespace SystemErrorText
