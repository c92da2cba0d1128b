// Win32 constants under their Win32 names, for code that does not include windows.h.
// Including both in one file is a compile error, which keeps the two worlds apart.
#pragma once

#include "sysapi/SysApi.h"

#ifdef _WINDOWS_
#error "Win32Constants.h stands in for windows.h; include one or the other"
#endif

// Predefined roots: 32-bit values, sign-extended to the handle's width as Windows does.
constexpr sys::KeyHandle PredefinedRoot(std::uint32_t value) {
    return static_cast<sys::KeyHandle>(static_cast<std::int32_t>(value));
}
constexpr sys::KeyHandle HKEY_CLASSES_ROOT = PredefinedRoot(0x80000000u);
constexpr sys::KeyHandle HKEY_CURRENT_USER = PredefinedRoot(0x80000001u);
constexpr sys::KeyHandle HKEY_LOCAL_MACHINE = PredefinedRoot(0x80000002u);
constexpr sys::KeyHandle HKEY_USERS = PredefinedRoot(0x80000003u);
constexpr sys::KeyHandle HKEY_CURRENT_CONFIG = PredefinedRoot(0x80000005u);

constexpr sys::Long ERROR_SUCCESS = 0;
constexpr sys::Long ERROR_FILE_NOT_FOUND = 2;
constexpr sys::Long ERROR_ACCESS_DENIED = 5;
constexpr sys::Long ERROR_INVALID_HANDLE = 6;
constexpr sys::Long ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr sys::Long ERROR_INVALID_PARAMETER = 87;
constexpr sys::Long ERROR_BAD_PATHNAME = 161;
constexpr sys::Long ERROR_MORE_DATA = 234;
constexpr sys::Long ERROR_NO_MORE_ITEMS = 259;
constexpr sys::Long ERROR_KEY_DELETED = 1018;
constexpr sys::Long ERROR_CHILD_MUST_BE_VOLATILE = 1021;

constexpr sys::Dword REG_NONE = 0;
constexpr sys::Dword REG_SZ = 1;
constexpr sys::Dword REG_EXPAND_SZ = 2;
constexpr sys::Dword REG_BINARY = 3;
constexpr sys::Dword REG_DWORD = 4;
constexpr sys::Dword REG_DWORD_BIG_ENDIAN = 5;
constexpr sys::Dword REG_LINK = 6;
constexpr sys::Dword REG_MULTI_SZ = 7;
constexpr sys::Dword REG_QWORD = 11;

constexpr sys::Dword REG_OPTION_NON_VOLATILE = 0;
constexpr sys::Dword REG_OPTION_VOLATILE = 1;
constexpr sys::Dword REG_CREATED_NEW_KEY = 1;
constexpr sys::Dword REG_OPENED_EXISTING_KEY = 2;

constexpr sys::Dword KEY_QUERY_VALUE = 0x0001;
constexpr sys::Dword KEY_SET_VALUE = 0x0002;
constexpr sys::Dword KEY_CREATE_SUB_KEY = 0x0004;
constexpr sys::Dword KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr sys::Dword KEY_WOW64_64KEY = 0x0100;
constexpr sys::Dword KEY_WOW64_32KEY = 0x0200;
constexpr sys::Dword DELETE = 0x00010000;
constexpr sys::Dword KEY_READ = 0x20019;
constexpr sys::Dword KEY_WRITE = 0x20006;
constexpr sys::Dword KEY_ALL_ACCESS = 0xF003F;

constexpr sys::Dword TH32CS_SNAPPROCESS = 0x2;
constexpr sys::Dword TH32CS_SNAPALL = 0xF;
constexpr sys::Handle INVALID_HANDLE_VALUE = -1;

constexpr sys::Dword PROCESS_TERMINATE = 0x0001;

constexpr sys::Dword MB_OK = 0x0;
constexpr sys::Dword MB_OKCANCEL = 0x1;
constexpr sys::Dword MB_ICONQUESTION = 0x20;
constexpr sys::Dword MB_ICONEXCLAMATION = 0x30;
constexpr sys::Dword MB_ICONWARNING = 0x30;
constexpr sys::Dword MB_ICONINFORMATION = 0x40;
constexpr sys::Dword MB_SYSTEMMODAL = 0x1000;
constexpr sys::Dword MB_TASKMODAL = 0x2000;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
