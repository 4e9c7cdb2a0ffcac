# Writes `out`, a program that prints every constant and id that our stand-in headers
# (src/platform/standins/*.h) define, one "NAME VALUE" line each, sorted by name. Built over the
# stand-ins it prints our values; built for Windows (where the same include names lead to the
# system's headers) it prints the published ones. The list is read from the headers each time,
# so a constant added to a stand-in is compared without anyone listing it.
#
# Taken: `constexpr TYPE NAME = ...;` and `#define NAME VALUE` at the start of a line, and
# `extern const IID|CLSID|GUID NAME;`. Our own helpers are functions or class members, so a
# constant at the start of a line must be one the system headers also define.
function(gaiablade_platform_constants out)
  set(headers win32_types.h win32_window.h win32_keys.h win32_kernel.h win32_gdi_text.h
    com.h ddraw.h dsound.h dmusic.h mmio.h)
  set(names)
  set(ids)
  foreach(header ${headers})
    file(STRINGS ${CMAKE_SOURCE_DIR}/src/platform/standins/${header} lines)
    foreach(line IN LISTS lines)
      if(line MATCHES "^constexpr [A-Za-z_][A-Za-z0-9_]* ([A-Za-z_][A-Za-z0-9_]*) = ")
        list(APPEND names ${CMAKE_MATCH_1})
      elseif(line MATCHES "^#define ([A-Za-z_][A-Za-z0-9_]*) [^ ]")
        list(APPEND names ${CMAKE_MATCH_1})
      elseif(line MATCHES "^extern const (IID|CLSID|GUID) ([A-Za-z_][A-Za-z0-9_]*);")
        list(APPEND ids ${CMAKE_MATCH_2})
      endif()
    endforeach()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
      ${CMAKE_SOURCE_DIR}/src/platform/standins/${header})
  endforeach()
  list(SORT names)
  list(SORT ids)
  set(body "")
  foreach(name ${names})
    string(APPEND body "    Print(\"${name}\", ${name});\n")
  endforeach()
  foreach(id ${ids})
    string(APPEND body "    PrintId(\"${id}\", ${id});\n")
  endforeach()
  set(text "// Made by CMake (cmake/platform_constants.cmake) from the stand-in headers.\n")
  foreach(header ${headers})
    string(APPEND text "#include \"platform/standins/${header}\"\n")
  endforeach()
  string(APPEND text [=[
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <type_traits>

namespace {

// Integers as 32-bit patterns (the system declares many as macros of plain int or long type),
// pointers as addresses, all in hexadecimal.
template <class T>
void Print(const char* name, T value) {
    unsigned long long bits = 0;
    if constexpr (std::is_pointer_v<T>) {
        bits = reinterpret_cast<uintptr_t>(value);
    } else if constexpr (std::is_enum_v<T>) {
        bits = static_cast<uint32_t>(static_cast<std::underlying_type_t<T>>(value));
    } else if constexpr (sizeof(T) <= 4) {
        bits = static_cast<uint32_t>(value);
    } else {
        bits = static_cast<unsigned long long>(value);
    }
    std::printf("%s 0x%llx\n", name, bits);
}

// A GUID by its sixteen bytes, as laid out in memory.
template <class T>
void PrintId(const char* name, const T& id) {
    static_assert(sizeof(T) == 16);
    unsigned char bytes[16];
    std::memcpy(bytes, &id, sizeof bytes);
    std::printf("%s ", name);
    for (unsigned char b : bytes) std::printf("%02x", b);
    std::printf("\n");
}

}  // namespace

int main() {
]=])
  string(APPEND text "${body}    return 0;\n}\n")
  file(CONFIGURE OUTPUT ${out} CONTENT "${text}" @ONLY)
endfunction()
