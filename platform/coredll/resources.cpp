// The program's resources: pictures, the string table and the icon, looked up
// by type and integer id in the table of the module that owns them.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/coredll/coredll.h"
#include "platform/internal/state.h"

using namespace platform::internal;

namespace {

constexpr std::uintptr_t kLargestIntegerName = 0xFFFF;

// A resource name is either an integer made with MAKEINTRESOURCEW or a
// string; the string "#123" names the integer 123, as on the device.
bool ResourceId(LPCWSTR name, std::uint32_t* id) {
    const auto bits = reinterpret_cast<std::uintptr_t>(name);
    if (bits <= kLargestIntegerName) {
        *id = static_cast<std::uint32_t>(bits);
        return true;
    }
    if (name[0] != u'#' || name[1] == 0) return false;
    std::uint32_t value = 0;
    for (LPCWSTR digit = name + 1; *digit != 0; ++digit) {
        if (*digit < u'0' || *digit > u'9' || value > 0xFFFF) return false;
        value = value * 10 + static_cast<std::uint32_t>(*digit - u'0');
    }
    if (value > 0xFFFF) return false;
    *id = value;
    return true;
}

// Resource types are strings here ("DBB", "STRING", "ICON"); the table keeps them as ASCII.
bool TypeName(LPCWSTR type, std::string* out) {
    if (reinterpret_cast<std::uintptr_t>(type) <= kLargestIntegerName) return false;
    out->clear();
    for (LPCWSTR c = type; *c != 0; ++c) {
        if (*c > 0x7F || out->size() > 64) return false;
        out->push_back(static_cast<char>(*c));
    }
    return true;
}

// Only handles that FindResourceW gave out for this instance are honoured.
const platform::ResourceEntry* EntryOfHandle(HINSTANCE instance, HRSRC resource) {
    const Module* module = FindModule(instance);
    if (module == nullptr || resource == nullptr) return nullptr;
    for (std::size_t i = 0; i < module->table.count; ++i) {
        const platform::ResourceEntry* entry = &module->table.entries[i];
        if (reinterpret_cast<const void*>(entry) == reinterpret_cast<const void*>(resource)) {
            return entry;
        }
    }
    return nullptr;
}

HRSRC AsHandle(const platform::ResourceEntry* entry) {
    return reinterpret_cast<HRSRC>(const_cast<platform::ResourceEntry*>(entry));
}

}  // namespace

HRSRC FindResourceW(HINSTANCE instance, LPCWSTR name, LPCWSTR type) {
    std::uint32_t id = 0;
    std::string typeName;
    if (name == nullptr || type == nullptr || !ResourceId(name, &id) || !TypeName(type, &typeName)) {
        return nullptr;
    }
    return AsHandle(FindResourceEntry(instance, typeName.c_str(), id));
}

HGLOBAL LoadResource(HINSTANCE instance, HRSRC resource) {
    const platform::ResourceEntry* entry = EntryOfHandle(instance, resource);
    return entry ? const_cast<std::uint8_t*>(entry->data) : nullptr;
}

DWORD SizeofResource(HINSTANCE instance, HRSRC resource) {
    const platform::ResourceEntry* entry = EntryOfHandle(instance, resource);
    return entry ? entry->size : 0;
}

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
    if (buffer == nullptr || bufferMax <= 0) return 0;
    buffer[0] = 0;
    const platform::ResourceEntry* entry = FindResourceEntry(instance, "STRING", id);
    if (entry == nullptr || entry->data == nullptr) return 0;
    // UTF-16LE code units, no terminator; an odd trailing byte is not a unit.
    const std::uint32_t units = entry->size / 2;
    const std::uint32_t count = std::min<std::uint32_t>(units, static_cast<std::uint32_t>(bufferMax - 1));
    for (std::uint32_t i = 0; i < count; ++i) {
        buffer[i] = static_cast<WCHAR>(entry->data[2 * i] | entry->data[2 * i + 1] << 8);
    }
    buffer[count] = 0;
    return static_cast<int>(count);
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
    std::uint32_t id = 0;
    if (name == nullptr || !ResourceId(name, &id)) return nullptr;
    return reinterpret_cast<HICON>(const_cast<platform::ResourceEntry*>(FindResourceEntry(instance, "ICON", id)));
}
