#pragma once
// The program files the installer carries inside itself.
//
// The build embeds the built contact list and uninstaller byte for byte into the installer
// (installer/CMakeLists.txt): each is one resource of type "EXEFILE", named "PROGRAM" and
// "UNINST".

#include <cstddef>
#include <optional>
#include <span>
#include <string>

// The bytes of the resource; nothing for an unknown type or name.
std::optional<std::span<const unsigned char>> FindResource(const std::string& type,
                                                           const std::string& name);
