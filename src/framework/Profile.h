#pragma once
// Settings in the registry under HKEY_CURRENT_USER\Software\<company>\<application>, one
// sub-key per section. A value of the wrong registry type counts as missing.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Handles.h"

// A namespace keeps these apart from the system's own win.ini functions of the same names.
namespace profile {

void SetProfileRegistryKey(const std::wstring& company, const std::wstring& application);
// "Software\<company>\<application>" as set above.
const std::wstring& GetProfileRegistryPath();

UINT GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue);
bool WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value);
// Reads a REG_BINARY value whole; false when missing or of another type.
bool GetProfileBinary(const wchar_t* section, const wchar_t* entry, std::vector<BYTE>& data);
bool WriteProfileBinary(const wchar_t* section, const wchar_t* entry, const void* data, size_t size);

}  // namespace profile
