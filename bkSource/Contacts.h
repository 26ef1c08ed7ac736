#pragma once
// Opening our web pages and writing to our support: the desktop's default browser and mail
// client, reached through xdg-open.
//
// The addresses are kept scrambled (Names.h) and unscrambled only here, just before use.
// ShellOpen and SendMailTo hand the address to the desktop and do not wait for the program it
// starts. Tests replace the opener (SetShellOpenerForTests) so that nothing is started.

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "Names.h"

// Our support mailbox, scrambled.
inline constexpr auto SupportMailAddress = ScrambleAddress("support@vellumark.example");
// What the about window shows in place of the scrambled addresses.
inline constexpr const char* SupportMailText = "support@vellumark.example";
inline constexpr const char* ProductHostText = "www.vellumark.example";

// Asks the desktop to open a web address, a mailto address or a file with its default program;
// the result is whether the desktop accepted the request.
bool ShellOpenResult(const std::string& target);
// The same, for callers that do not look at the result.
void ShellOpen(const std::string& target);
// Unscrambles the address, appends suffix and opens it.
void OpenScrambledAddress(std::span<const std::uint8_t> address, const std::string& suffix);

// The text with each blank as "%20", each CR as "%0D" and each LF as "%0A"; nothing else changes.
std::string MailEscape(const std::string& text);
// Opens a new message to the scrambled address with the subject and body filled in; false when
// the desktop could not open it (no mail client, no xdg-open).
bool SendMailTo(std::span<const std::uint8_t> address, const std::string& subject,
                const std::string& body);

// Tests only: the function that opens a target in place of the desktop; empty restores it.
using TShellOpener = std::function<bool(const std::string& target)>;
void SetShellOpenerForTests(TShellOpener opener);
