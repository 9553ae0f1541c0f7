#pragma once
// Failures the program goes on after (a window not made, a drop target not registered) are
// told to an attached debugger, so that they are not silent; nothing is written anywhere else.
#include <windows.h>

// Reports that `what` failed with the system error `error` (GetLastError's value).
void ReportFailure(const wchar_t* what, DWORD error);
// The same for a COM call's result.
void ReportComFailure(const wchar_t* what, HRESULT result);
