#include "Resources.h"

// The bounds of the embedded files, defined by the generated Payload.cpp.
extern "C" const unsigned char VellumarkProgramBegin[];
extern "C" const unsigned char VellumarkProgramEnd[];
extern "C" const unsigned char VellumarkUninstBegin[];
extern "C" const unsigned char VellumarkUninstEnd[];

std::optional<std::span<const unsigned char>> FindResource(const std::string& type,
                                                           const std::string& name) {
  if (type != "EXEFILE") return std::nullopt;
  if (name == "PROGRAM")
    return std::span<const unsigned char>(VellumarkProgramBegin, VellumarkProgramEnd);
  if (name == "UNINST")
    return std::span<const unsigned char>(VellumarkUninstBegin, VellumarkUninstEnd);
  return std::nullopt;
}
