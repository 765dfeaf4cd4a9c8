#include "win32/registry_store.h"

#include <windows.h>

#include <vector>

#include "win32/wide_text.h"

namespace zelor::win32 {
namespace {

constexpr wchar_t kSubKey[] = L"Software\\Zelor2\\Einstellungen";

}  // namespace

std::optional<std::string> RegistryStore::Read(const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSubKey, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
    return std::nullopt;
  const std::wstring name = Widen(key);
  DWORD type = 0, size = 0;
  LONG status = RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size);
  std::vector<BYTE> data;
  // The value may change size between the two calls; ask again then.
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    data.resize(size + sizeof(wchar_t));
    DWORD got = size;
    status = RegQueryValueExW(handle, name.c_str(), nullptr, &type, data.data(), &got);
    if (status == ERROR_SUCCESS) {
      size = got;
      break;
    }
    if (status != ERROR_MORE_DATA) break;
    size = got;
  }
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  // Taken by its length, so a character 0 inside an encoded password survives;
  // only the terminator is dropped.
  std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
  if (!text.empty() && text.back() == L'\0') text.pop_back();
  return Narrow(text);
}

bool RegistryStore::Write(const std::string& key, const std::string& text) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSubKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const std::wstring value = Widen(text);
  const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  const LONG status = RegSetValueExW(handle, Widen(key).c_str(), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(value.c_str()), bytes);
  RegCloseKey(handle);
  return status == ERROR_SUCCESS;
}

}  // namespace zelor::win32
