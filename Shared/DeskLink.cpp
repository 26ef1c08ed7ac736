#include "DeskLink.h"

#include <filesystem>
#include <system_error>

#include "AutoStart.h"
#include "DesktopEntry.h"
#include "UserFolders.h"

namespace {

namespace fs = std::filesystem;

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

bool EnsureFolder(const std::string& folder, bool create) {
  std::error_code error;
  if (fs::is_directory(folder, error)) return true;
  return create && fs::create_directories(folder, error) && !error;
}

std::string StripSuffix(const std::string& name, const std::string& suffix) {
  return name.size() > suffix.size() && name.ends_with(suffix)
             ? name.substr(0, name.size() - suffix.size())
             : name;
}

bool WriteLink(const std::string& target, const std::string& linkName,
               const std::string& description, const std::string& arguments,
               std::string& linkPath, const std::string& folder, bool executable) {
  linkPath = WithSlash(folder) + LinkFileName(linkName);
  std::string command = QuoteExecArgument(target);
  if (!arguments.empty()) command += " " + arguments;
  TDesktopEntryKeys keys = {{"Type", "Application"},
                            {"Name", StripSuffix(StripSuffix(linkName, ".lnk"), ".desktop")}};
  if (!description.empty()) keys.push_back({"Comment", description});
  keys.push_back({"Exec", command});
  keys.push_back({"Path", fs::path(target).parent_path().string()});
  keys.push_back({"Terminal", "false"});
  return WriteDesktopEntry(linkPath, keys, executable);
}

}  // namespace

std::string LinkFileName(const std::string& linkName) {
  return StripSuffix(linkName, ".lnk") + (linkName.ends_with(".desktop") ? "" : ".desktop");
}

bool CreateLink(const std::string& target, const std::string& linkName,
                const std::string& description, const std::string& arguments,
                std::string& linkPath, const std::string& folder) {
  return WriteLink(target, linkName, description, arguments, linkPath, folder, false);
}

std::string GetSpecialFolder(int folderId, bool create) {
  std::string folder;
  if (folderId == ProgramsFolderId) {
    const std::string data = UserDataFolder();
    if (!data.empty()) folder = data + "applications/";
  } else if (folderId == DesktopFolderId) {
    folder = UserDesktopFolder();
  } else if (folderId == AppDataFolderId) {
    folder = UserDataFolder();
  }
  return !folder.empty() && EnsureFolder(folder, create) ? folder : std::string();
}

std::string GetProgramsFolder(bool create) { return GetSpecialFolder(ProgramsFolderId, create); }
std::string GetDesktopFolder(bool create) { return GetSpecialFolder(DesktopFolderId, create); }
std::string GetQuickLaunchFolder(bool create) { return GetProgramsFolder(create); }

bool CreateDesktopLink(const std::string& target, const std::string& linkName,
                       const std::string& description, const std::string& arguments,
                       std::string& linkPath) {
  linkPath.clear();
  const std::string folder = GetDesktopFolder(true);
  // Desktops start a launcher lying on the desktop only when it carries the run bits.
  return !folder.empty() &&
         WriteLink(target, linkName, description, arguments, linkPath, folder, true);
}

bool CreateQuickLaunchLink(const std::string& target, const std::string& linkName,
                           const std::string& description, const std::string& arguments,
                           std::string& linkPath) {
  linkPath.clear();
  const std::string folder = GetQuickLaunchFolder(true);
  return !folder.empty() && CreateLink(target, linkName, description, arguments, linkPath, folder);
}

bool CreateProgramGroup(const std::string& name, std::string& groupPath) {
  groupPath = GetProgramsFolder(true);
  if (groupPath.empty()) return false;
  groupPath += name + "/";
  return EnsureFolder(groupPath, true);
}
