#pragma once
// The handful of Windows scalar types that the program's own code is written
// in, so that a native Windows build can take the real declarations instead.
#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using WCHAR = char16_t;
using HANDLE = void*;
using HWND = struct HWND__*;
using HDC = struct HDC__*;
using HGLOBAL = void*;
using HINSTANCE = void*;
using LPARAM = std::intptr_t;
using COLORREF = DWORD;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
