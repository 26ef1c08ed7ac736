#include "GlassManager.h"

#include "UErrors.h"

namespace {
constexpr const char* kUnit = "Tools/Service/GlassManager";
}

TGlassManager::TGlassManager() { Update(); }

// No Linux desktop lets an application extend its frame into the client area.
void TGlassManager::Update() { FEnabled = false; }

void TGlassManager::ExtendFrame(QWidget&, int) {
  Assert(FEnabled, "Glass must be Enabled", kUnit);
}

void TGlassManager::SetColorKey(QWidget&, const QColor&) {
  Assert(FEnabled, "Glass must be Enabled", kUnit);
}

// Windows here are never layered, so there is nothing to take away.
void TGlassManager::ClearLayered(QWidget&) {}
