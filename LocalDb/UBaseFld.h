#pragma once
// The four scalar field classes: integer, string, Boolean and date-time.
//
// Texts are UTF-8 at the interface; a string field keeps code page 1251 bytes, because its size
// and its image count those bytes. Integer and date-time texts use the engine's default format
// settings; the contact birthday field brings the language's own.

#include <cstdint>
#include <string>
#include <vector>

#include "UField.h"

class TIntegerField : public TField {
public:
  static const TFieldClass& StaticClass();
  TIntegerField() : TIntegerField(StaticClass()) {}

  int DataSize() const override { return 4; }
  const std::uint8_t* GetData() override;
  void SetData(const std::uint8_t* source) override;
  std::string GetAsString() const override;
  void SetAsString(const std::string& text) override;
  void AssignNextKey() override { value_ = NextKey(); }
  int CompareData(const std::uint8_t* a, const std::uint8_t* b) const override;
  void SetFromVariant(const TVariant& value, std::uint8_t* destination) const override;
  void SetFromString(const std::string& text, std::uint8_t* destination) const override;
  std::string DataToString(const std::uint8_t* source) const override;
  bool SortKey(const std::uint8_t* image, std::string& key) const override;

  std::int32_t Value() const { return value_; }

protected:
  explicit TIntegerField(const TFieldClass& fieldClass) : TField(fieldClass) {}

private:
  std::int32_t value_ = 0;
  std::uint8_t image_[4] = {};
};

class TStringField : public TField {
public:
  static const TFieldClass& StaticClass();
  explicit TStringField(int size) : TStringField(StaticClass(), size) {}

  int Size() const { return size_; }
  int DataSize() const override { return size_; }
  const std::uint8_t* GetData() override;
  void SetData(const std::uint8_t* source) override;
  std::string GetAsString() const override;
  void SetAsString(const std::string& text) override;
  int CompareData(const std::uint8_t* a, const std::uint8_t* b) const override;
  void SetFromVariant(const TVariant& value, std::uint8_t* destination) const override;
  void SetFromString(const std::string& text, std::uint8_t* destination) const override;
  std::string DataToString(const std::uint8_t* source) const override;
  bool SortKey(const std::uint8_t* image, std::string& key) const override;

protected:
  TStringField(const TFieldClass& fieldClass, int size);
  // The code page 1251 bytes of the image at source, up to the first zero byte.
  std::string ImageBytes(const std::uint8_t* source) const;

private:
  int size_;
  std::string text_;  // code page 1251, at most size_ bytes
  std::vector<std::uint8_t> image_;
};

class TBooleanField : public TField {
public:
  static const TFieldClass& StaticClass();
  TBooleanField() : TField(StaticClass()) {}

  int DataSize() const override { return 4; }
  const std::uint8_t* GetData() override;
  void SetData(const std::uint8_t* source) override;
  std::string GetAsString() const override;
  void SetAsString(const std::string& text) override;
  int CompareData(const std::uint8_t* a, const std::uint8_t* b) const override;
  void SetFromVariant(const TVariant& value, std::uint8_t* destination) const override;
  void SetFromString(const std::string& text, std::uint8_t* destination) const override;
  std::string DataToString(const std::uint8_t* source) const override;
  bool SortKey(const std::uint8_t* image, std::string& key) const override;

  bool Value() const { return value_ != 0; }

private:
  std::int32_t value_ = 0;
  std::uint8_t image_[4] = {};
};

class TDateTimeField : public TField {
public:
  static const TFieldClass& StaticClass();
  TDateTimeField() : TDateTimeField(StaticClass()) {}

  int DataSize() const override { return 8; }
  const std::uint8_t* GetData() override;
  void SetData(const std::uint8_t* source) override;
  std::string GetAsString() const override;
  void SetAsString(const std::string& text) override;
  int CompareData(const std::uint8_t* a, const std::uint8_t* b) const override;
  void SetFromVariant(const TVariant& value, std::uint8_t* destination) const override;
  void SetFromString(const std::string& text, std::uint8_t* destination) const override;
  std::string DataToString(const std::uint8_t* source) const override;
  bool SortKey(const std::uint8_t* image, std::string& key) const override;

  TDateTime AsDateTime() const { return value_; }
  // Fails when editing is off.
  void SetAsDateTime(TDateTime value);

  static TDateTime ReadImage(const std::uint8_t* source);
  static void WriteImage(TDateTime value, std::uint8_t* destination);

protected:
  explicit TDateTimeField(const TFieldClass& fieldClass) : TField(fieldClass) {}

private:
  static std::string ValueText(TDateTime value);

  TDateTime value_ = 0;
  std::uint8_t image_[8] = {};
};

// Little-endian 32-bit integers, as every integer of an image and of the data file is stored.
std::int32_t ReadInt32(const std::uint8_t* source);
void WriteInt32(std::int32_t value, std::uint8_t* destination);
