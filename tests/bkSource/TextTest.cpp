// The three languages' text records, the language switch and the user-facing date formats.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "Names.h"
#include "TextIntface.h"
#include "UErrors.h"

namespace {

// Counts the members of an aggregate: the largest number of initializers it accepts.
struct TAnyValue {
  template <class T>
  operator T() const;  // never defined: used in unevaluated contexts only
};
template <class T, std::size_t... I>
constexpr bool AcceptsInitializers(std::index_sequence<I...>) {
  return requires { T{(void(I), TAnyValue{})...}; };
}
template <class T, std::size_t N = 0>
constexpr std::size_t MemberCount() {
  if constexpr (AcceptsInitializers<T>(std::make_index_sequence<N + 1>{}))
    return MemberCount<T, N + 1>();
  else
    return N;
}
static_assert(MemberCount<TTextRecord>() == 117);

// Every plain text entry; with the two arrays and the separator they make all 117.
#define E(name) &TTextRecord::name
constexpr std::array<std::string TTextRecord::*, 114> TextEntries = {
    E(LangCode), E(AppTitle), E(CloseErrorHint), E(OpenDataError), E(BackupError),
    E(BirthdayReminder), E(YesCaption), E(NoCaption), E(SendingMessage), E(SendMailError),
    E(DeleteCaption), E(DeleteQuestion), E(DeleteYesHint), E(DeleteNoHint), E(ColName),
    E(ColHouse), E(ColWork), E(ColBirth), E(BirthYearSuffix), E(BirthMonthSuffix),
    E(BirthDaySuffix), E(VersionPrefix), E(HelpAddress), E(NewVersionMark), E(SupportSubject),
    E(SupportBody), E(EditInsertCaption), E(EditViewCaption), E(ImproperDate),
    E(ActExitCaption), E(ActExitHint), E(ActUpperNameCaption), E(ActUpperNameHint),
    E(ActAboutCaption), E(ActAboutHint), E(ActHelpCaption), E(ActHelpHint),
    E(ActRusLangCaption), E(ActRusLangHint), E(ActUkrLangCaption), E(ActUkrLangHint),
    E(ActEngLangCaption), E(ActEngLangHint), E(ActInsertCaption), E(ActInsertHint),
    E(ActEditCaption), E(ActEditHint), E(ActDeleteCaption), E(ActDeleteHint),
    E(ActSearchStartCaption), E(ActSearchStartHint), E(ActSearchStopCaption),
    E(ActSearchStopHint), E(ActSortCaption), E(ActSortHint), E(ActExportCaption),
    E(ActExportHint), E(ActImportCaption), E(ActImportHint), E(ActPrintCaption),
    E(ActPrintHint), E(MenuFileCaption), E(MenuFileHint), E(MenuLangCaption), E(MenuLangHint),
    E(MenuHelpCaption), E(MenuHelpHint), E(AboutCaption), E(AboutOKHint), E(AboutAddrHint),
    E(AboutMailHint), E(AboutIconDesignHint), E(BtnSaveCaption), E(BtnSaveHint),
    E(BtnCancelCaption), E(BtnCancelHint), E(LbNameCaption), E(LbHouseCaption),
    E(LbWorkCaption), E(LbBirthCaption), E(LbMobileCaption), E(LbNoteCaption),
    E(ActEditCutCaption), E(ActEditCutHint), E(ActEditCopyCaption), E(ActEditCopyHint),
    E(ActEditPasteCaption), E(ActEditPasteHint), E(ActEditSelectAllCaption),
    E(ActEditSelectAllHint), E(ActEditUndoCaption), E(ActEditUndoHint),
    E(ActEditDeleteCaption), E(ActEditDeleteHint), E(PageNoFormat), E(PrinterError),
    E(ExportTitle), E(ExportFilter), E(CsvHeader), E(ExportError), E(ExportErrorHint),
    E(TotalFormat), E(PrintError), E(ImportCaption), E(ImportLineError),
    E(ImportContinueCaption), E(ImportContinueHint), E(ImportStopCaption), E(ImportStopHint),
    E(ImportInterrupted), E(ImportAdded), E(ImportMissed), E(ImportResultHint), E(ImportError),
};
#undef E

struct TLanguage {
  int Index;
  const TTextRecord& (*Texts)();
};
const std::array<TLanguage, 3> Languages = {
    {{LangRussian, TextRus}, {LangUkrainian, TextUkr}, {LangEnglish, TextEng}}};

class TextTest : public ::testing::Test {
protected:
  void TearDown() override { SetClock({}); }
};

}  // namespace

TEST_F(TextTest, EveryRecordIsCompleteAndShapedAlike) {
  // Each entry listed once, so the list covers the whole record.
  for (std::size_t i = 0; i < TextEntries.size(); ++i)
    for (std::size_t j = i + 1; j < TextEntries.size(); ++j)
      ASSERT_NE(TextEntries[i], TextEntries[j]) << "entries " << i << " and " << j;
  for (const TLanguage& language : Languages) {
    const TTextRecord& texts = language.Texts();
    SCOPED_TRACE(texts.LangCode);
    for (std::size_t i = 0; i < TextEntries.size(); ++i)
      EXPECT_FALSE((texts.*TextEntries[i]).empty()) << "text entry " << i;
    for (const std::string& word : texts.DayWords) EXPECT_FALSE(word.empty());
    for (int mode = 0; mode < 5; ++mode) EXPECT_FALSE(texts.StateNames[mode].empty());
    EXPECT_EQ(texts.StateNames[5], "");  // the busy mode has no name
    EXPECT_EQ(texts.CsvSeparator, ';');
  }
}

TEST_F(TextTest, QuotedEntriesReadAsGiven) {
  struct TCase {
    const char* Entry;
    std::string TTextRecord::*Member;
    const char* Russian;
    const char* Ukrainian;
    const char* English;
  };
  const TCase cases[] = {
      {"1", &TTextRecord::LangCode, "ru", "uk", "en"},
      {"2", &TTextRecord::AppTitle, "Vellumark", "Vellumark", "Vellumark"},
      {"6", &TTextRecord::BirthdayReminder,
       "Не забудьте поздравить с днём рождения!\r\n%0:s  (%1:s)\r\n\r\n%2:s\r\n%3:d",
       "Не забудьте привітати з днем народження!\r\n%0:s  (%1:s)\r\n\r\n%2:s\r\n%3:d",
       "Do not forget to felicitate births on a day!\r\n%0:s  (%1:s)\r\n\r\n%2:s\r\n%3:d"},
      {"8", &TTextRecord::YesCaption, "Да", "Так", "Yes"},
      {"9", &TTextRecord::NoCaption, "Нет", "Ні", "No"},
      {"12", &TTextRecord::DeleteCaption, "Удаление абонента", "Видалення абонента",
       "Remove contact"},
      {"13", &TTextRecord::DeleteQuestion, "Удалить абонента", "Видалити абонента",
       "Remove contact"},
      {"14", &TTextRecord::DeleteYesHint, "Удалить абонента", "Видалити абонента",
       "Remove contact"},
      {"15", &TTextRecord::DeleteNoHint, "Не удалять абонента", "Не видаляти абонента",
       "Do not remove contact"},
      {"16", &TTextRecord::ColName, "Абонент", "Абонент", "Name"},
      {"17", &TTextRecord::ColHouse, "Домашний", "Домашній", "Domestic"},
      {"18", &TTextRecord::ColWork, "Рабочий", "Робочий", "Working"},
      {"19", &TTextRecord::ColBirth, "Дата", "Дата", "Birthday"},
      {"20", &TTextRecord::BirthYearSuffix, " (г)", " (р)", " (y)"},
      {"21", &TTextRecord::BirthMonthSuffix, " (м)", " (м)", " (m)"},
      {"22", &TTextRecord::BirthDaySuffix, " (д)", " (д)", " (d)"},
      {"39", &TTextRecord::ActRusLangCaption, "Русский", "Русский", "Russian"},
      {"40", &TTextRecord::ActRusLangHint, "Переключиться на русский язык",
       "Переключиться на русский язык", "Switch to Russian language"},
      {"41", &TTextRecord::ActUkrLangCaption, "Українська", "Українська", "Ukrainian"},
      {"42", &TTextRecord::ActUkrLangHint, "Переключитись на українську мову",
       "Переключитись на українську мову", "Switch to Ukrainian language"},
      {"43", &TTextRecord::ActEngLangCaption, "English", "English", "English"},
      {"44", &TTextRecord::ActEngLangHint, "Switch to English language",
       "Switch to English language", "Switch to English language"},
      {"63", &TTextRecord::MenuFileCaption, "Данные", "База даних", "Database"},
      {"65", &TTextRecord::MenuLangCaption, "Язык (Language)", "Мова (Language)", "Language"},
      {"66", &TTextRecord::MenuLangHint, "Выбор языка (Language select)",
       "Вибір мови (Language select)", "Language select"},
      {"96", &TTextRecord::PageNoFormat, "(страница %0:d из %1:d)", "(сторінка %0:d з %1:d)",
       "(page %0:d of %1:d)"},
      {"101", &TTextRecord::CsvHeader, "Абонент;Домашний;Рабочий;Мобильный;Дата;Примечание",
       "Абонент;Домашній;Робочий;Мобільний;Дата;Примітка",
       "Name;Domestic;Working;Mobile;Birthday;Note"},
      {"104", &TTextRecord::TotalFormat, "Всего: %0:d", "Всього: %0:d", "Total: %0:d"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string("entry ") + c.Entry);
    EXPECT_EQ(TextRus().*c.Member, c.Russian);
    EXPECT_EQ(TextUkr().*c.Member, c.Ukrainian);
    EXPECT_EQ(TextEng().*c.Member, c.English);
  }
  // English texts that other programs and scripts read as they stand.
  EXPECT_EQ(TextEng().OpenDataError,
            "Database file opening error!\r\nFile is damaged or blocked by another software");
  EXPECT_EQ(TextEng().ImportAdded, "New contacts are added: ");
  EXPECT_EQ(TextEng().ImportMissed, "Data strings missed in import file: ");
  EXPECT_EQ(TextEng().ExportFilter, "Table file (*.csv)|*.csv");

  using TWords = std::array<std::string, 4>;
  EXPECT_EQ(TextRus().DayWords, (TWords{"сегодня", "завтра", "послезавтра", "понедельник"}));
  EXPECT_EQ(TextUkr().DayWords, (TWords{"сьогодні", "завтра", "післязавтра", "понеділок"}));
  EXPECT_EQ(TextEng().DayWords,
            (TWords{"today", "tomorrow", "the day after tomorrow", "Monday"}));
  EXPECT_EQ(TextRus().StateNames[3], "Поиск абонента");
  EXPECT_EQ(TextUkr().StateNames[3], "Пошук абонента");
  EXPECT_EQ(TextEng().StateNames[3], "Search contact");

  const std::pair<const TTextRecord&, const char*> helpPaths[] = {
      {TextRus(), "/bookhelp.html"},
      {TextUkr(), "/langs/ukr/bookhelp.html"},
      {TextEng(), "/langs/eng/bookhelp.html"}};
  for (const auto& [texts, path] : helpPaths)
    EXPECT_EQ(texts.HelpAddress, "https://www.vellumark.example" + std::string(path));
}

TEST_F(TextTest, SelectLanguageSwitchesTextsFormatAndAddresses) {
  const char* decembers[] = {"декабря", "грудня", "December"};
  const char* productPages[] = {"https://www.vellumark.example/rus",
                                "https://www.vellumark.example/langs/ukr",
                                "https://www.vellumark.example/langs/eng"};
  for (const TLanguage& language : Languages) {
    SelectLanguage(language.Index);
    EXPECT_EQ(CurrentTexts().LangCode, language.Texts().LangCode);
    EXPECT_EQ(CurrentTexts().CsvHeader, language.Texts().CsvHeader);
    EXPECT_EQ(CurrentTexts().StateNames, language.Texts().StateNames);
    EXPECT_EQ(CurrentFormat().LongMonthNames[11], decembers[language.Index]);
    EXPECT_EQ(CurrentFormat().DateSeparator, '.');
    EXPECT_EQ(CurrentFormat().ShortDateFormat, "dd/mm/yyyy");
    EXPECT_EQ(UnscrambleAddress(CurrentProductPageAddress()), productPages[language.Index]);
    EXPECT_EQ(UnscrambleAddress(CurrentDesignerPageAddress()), "https://icons.example/");
  }
  EXPECT_THROW(SelectLanguage(3), EGeneral);
  EXPECT_THROW(SelectLanguage(-1), EGeneral);
  EXPECT_EQ(CurrentTexts().LangCode, "en");  // a refused index changes nothing
}

TEST_F(TextTest, LongDatesUseTheLanguagesGenitiveMonthNames) {
  SetClock([] { return EncodeDate(2024, 12, 5) + EncodeTime(9, 7, 3); });
  struct TCase {
    int Language;
    const char* DateTime;
    const char* Date;
  };
  const TCase cases[] = {
      {LangRussian, " 05 декабря 2024, 09:07:03 ", "05 декабря 2024"},
      {LangUkrainian, " 05 грудня 2024, 09:07:03 ", "05 грудня 2024"},
      {LangEnglish, " 05 December 2024, 09:07:03 ", "05 December 2024"},
  };
  for (const TCase& c : cases) {
    SelectLanguage(c.Language);
    EXPECT_EQ(FormatDateTimeLong(Now()), c.DateTime);
    EXPECT_EQ(FormatDateLong(Today()), c.Date);
  }
  SelectLanguage(LangUkrainian);
  EXPECT_EQ(FormatDateLong(EncodeDate(2023, 3, 1)), "01 березня 2023");
  SelectLanguage(LangRussian);
  EXPECT_EQ(FormatDateLong(EncodeDate(2023, 5, 9)), "09 мая 2023");
}

TEST_F(TextTest, ReminderEndsWithTheBareAgeInEveryLanguage) {
  for (const TLanguage& language : Languages) {
    SelectLanguage(language.Index);
    const TTextRecord& texts = CurrentTexts();
    const std::string reminder =
        FormatIndexed(texts.BirthdayReminder, {FormatDateLong(EncodeDate(2024, 12, 6)),
                                               texts.DayWords[1], "Anna Petrenko", 41});
    SCOPED_TRACE(reminder);
    EXPECT_TRUE(reminder.ends_with("\r\nAnna Petrenko\r\n41"));
    EXPECT_NE(reminder.find("  (" + texts.DayWords[1] + ")\r\n"), std::string::npos);
    EXPECT_EQ(reminder.find('%'), std::string::npos);
  }
}

TEST_F(TextTest, FormatIndexedFillsPlaceholders) {
  EXPECT_EQ(FormatIndexed("(page %0:d of %1:d)", {2, 17}), "(page 2 of 17)");
  EXPECT_EQ(FormatIndexed("%1:s-%0:s-%s", {"a", "b"}), "b-a-b");  // unnumbered takes the next
  EXPECT_EQ(FormatIndexed("100%% of %0:d", {-3}), "100% of -3");
  EXPECT_EQ(FormatIndexed("Support (version %0:s)", {"1.2"}), "Support (version 1.2)");
  // A text that does not fit its arguments is refused rather than shown half filled.
  EXPECT_THROW(FormatIndexed("%2:s", {"a", "b"}), EGeneral);
  EXPECT_THROW(FormatIndexed("%0:d", {"text"}), EGeneral);
  EXPECT_THROW(FormatIndexed("%0:s", {5}), EGeneral);
  EXPECT_THROW(FormatIndexed("trailing %", {}), EGeneral);
  EXPECT_THROW(FormatIndexed("%0s", {"a"}), EGeneral);
}
