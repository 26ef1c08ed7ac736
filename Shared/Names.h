#pragma once
// Names shared by the contact list, its installer and its uninstaller.
//
// The language index is the same in all three programs: 0 Russian, 1 Ukrainian, 2 English.
// By that index this unit gives the tag stored in the configuration file, the file names of
// the menu shortcuts (the link writer turns ".lnk" into the platform's own link suffix), and the
// two web addresses of the about window. The addresses are kept scrambled, so that the
// executables carry no plain address for harvesters to pick up: byte i (counting from 1) is the
// address character XOR-ed with i. Scrambling happens at compile time, so the plain text never
// reaches the binary.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

constexpr int LangRussian = 0;
constexpr int LangUkrainian = 1;
constexpr int LangEnglish = 2;
constexpr int LanguageCount = 3;

inline constexpr std::array<std::string_view, LanguageCount> LanguageTags = {"RUS", "UKR", "ENG"};

inline constexpr std::array<std::string_view, LanguageCount> ShortcutNames = {
    "Vellumark.lnk", "Vellumark.lnk", "Vellumark.lnk"};

inline constexpr std::array<std::string_view, LanguageCount> UninstallShortcutNames = {
    "Удаление программы.lnk", "Vellumark - видалення.lnk", "Uninstall.lnk"};

// The scrambled form of a plain ASCII address literal (without its terminating zero).
template <std::size_t N>
consteval std::array<std::uint8_t, N - 1> ScrambleAddress(const char (&address)[N]) {
  std::array<std::uint8_t, N - 1> bytes{};
  for (std::size_t i = 0; i + 1 < N; ++i)
    bytes[i] = static_cast<std::uint8_t>(static_cast<std::uint8_t>(address[i]) ^ (i + 1));
  return bytes;
}

// The plain address back from its scrambled bytes.
std::string UnscrambleAddress(std::span<const std::uint8_t> bytes);

// The product's page, per language, and the icon designer's page, the same for all.
inline constexpr auto ProductPageAddressRus = ScrambleAddress("https://www.vellumark.example/rus");
inline constexpr auto ProductPageAddressUkr =
    ScrambleAddress("https://www.vellumark.example/langs/ukr");
inline constexpr auto ProductPageAddressEng =
    ScrambleAddress("https://www.vellumark.example/langs/eng");
inline constexpr auto DesignerPageAddress = ScrambleAddress("https://icons.example/");

// The about window builds fixed-size byte arrays of these lengths.
static_assert(ProductPageAddressRus.size() == 33);
static_assert(ProductPageAddressUkr.size() == 39 && ProductPageAddressEng.size() == 39);
static_assert(DesignerPageAddress.size() == 22);

inline constexpr std::array<std::span<const std::uint8_t>, LanguageCount> ProductPageAddresses = {
    ProductPageAddressRus, ProductPageAddressUkr, ProductPageAddressEng};
