#pragma once
// The field model: a field object holds the one current value of its column and converts it to
// and from text and to and from its fixed-size data image, the bytes of the value inside a record
// image and in the data file.
//
// Field classes are described by TFieldClass descriptors (name, type identifier, parent, factory)
// and a process-wide registry of them maps the type identifiers stored in data files back to
// classes. A field object whose class is not registered and derives from no registered class
// cannot be constructed.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "UVariant.h"

class TField;

// What a class reference and its class functions are elsewhere: one static descriptor per class.
struct TFieldClass {
  std::string Name;
  std::int32_t TypeId;
  const TFieldClass* Parent;  // null for TField itself
  // The virtual constructor: a new field of this class with the given data size (ignored by
  // classes of fixed size).
  std::unique_ptr<TField> (*Create)(int size);

  bool InheritsFrom(const TFieldClass& ancestor) const;
};

class TField {
public:
  static constexpr std::size_t MaxNameLength = 20;

  virtual ~TField() = default;
  TField(const TField&) = delete;
  TField& operator=(const TField&) = delete;

  // The descriptor of the object's own class.
  const TFieldClass& Class() const { return class_; }
  std::int32_t TypeId() const { return class_.TypeId; }

  virtual int DataSize() const = 0;
  // Image of the current value, DataSize bytes; valid until the value changes or GetData is called
  // again.
  virtual const std::uint8_t* GetData() = 0;
  // The current value becomes the one encoded at source; does not test CanEdit.
  virtual void SetData(const std::uint8_t* source) = 0;
  virtual std::string GetAsString() const = 0;
  // The current value becomes the one the text denotes; fails when editing is off.
  virtual void SetAsString(const std::string& text) = 0;
  virtual void AssignNextKey() {}
  void IncNextKey();
  // -1, 0 or 1 as the image at a orders before, equal to or after the image at b.
  virtual int CompareData(const std::uint8_t* a, const std::uint8_t* b) const = 0;
  virtual void SetFromVariant(const TVariant& value, std::uint8_t* destination) const = 0;
  virtual void SetFromString(const std::string& text, std::uint8_t* destination) const = 0;
  virtual std::string DataToString(const std::uint8_t* source) const = 0;
  // Appends to key a byte string whose byte-wise order is the order of CompareData, so that many
  // records can be sorted without comparing their images pairwise. False when the class has no
  // such form; records are then compared with CompareData.
  virtual bool SortKey(const std::uint8_t* /*image*/, std::string& /*key*/) const { return false; }

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);  // cut to MaxNameLength characters
  bool IsKey() const { return isKey_; }
  std::int32_t NextKey() const { return nextKey_; }
  void SetKey(bool isKey);
  void SetNextKey(std::int32_t value);
  bool CanEdit() const { return canEdit_; }
  void EnableEdit() { canEdit_ = true; }
  void DisableEdit() { canEdit_ = false; }
  void CheckEditable() const;

protected:
  // Every concrete class passes the descriptor of the most derived class, so that the registry
  // test sees the object's real class. Fails when that class is not registered and derives from
  // no registered class.
  explicit TField(const TFieldClass& fieldClass);

private:
  const TFieldClass& class_;
  bool canEdit_ = false;
  std::string name_;
  bool isKey_ = false;
  std::int32_t nextKey_ = 0;
};

// The descriptor of TField itself (abstract: it has no factory).
const TFieldClass& FieldBaseClass();

// Registry of field classes, in registration order.
void RegisterFieldClass(const TFieldClass& fieldClass);
void ClearFieldClassRegistry();
std::unique_ptr<TField> CreateByType(std::int32_t typeId, int size);
// Registers the engine's classes: integer (1), string (2), Boolean (3), date-time (4), phone (6).
void RegisterEngineFieldClasses();
