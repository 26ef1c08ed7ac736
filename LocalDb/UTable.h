#pragma once
// The table: a record array over a data file plus a state machine (closed, browse, edit,
// insert), a cursor with an end flag, and a list of named indexes of which one may be active.
//
// A change is started (Insert or Edit make the fields editable), given values (SetAsString on
// the fields) and finished: Post writes it through to the file before it returns, Cancel drops
// it. There are no transactions and no undo.

#include <string>
#include <vector>

#include "UDatArr.h"

enum class TTableState { Closed, Browse, Edit, Insert };

class TTable : public TDatArr {
public:
  TTable() = default;
  ~TTable() override = default;

  TTableState State() const { return state_; }
  int RecordCount() const;
  int RecNo() const;
  bool Eof() const { return eof_; }
  const std::string& IndexName() const { return indexName_; }
  const std::vector<TIndex*>& Indexes() const { return indexes_; }

  // In insert state record RecordCount, and in edit state record RecNo, show the text being
  // typed; every other cell comes from the array.
  std::string GetCellText(int recNo, int field) const override;

  void GoTo(int recNo);
  void First();
  void Next();

  virtual void OpenTable(bool createIfMissing);
  virtual void CloseTable();
  virtual void Insert();
  virtual void Edit();
  virtual void Post();
  virtual void Cancel();
  virtual void Delete();
  void EmptyFile() override;

  void AddIndex(TIndex* index);
  void ClearIndexes();
  void SetIndex(TIndex* index) override;

  // Position the cursor on the active index's key: the first record equal to it, else the first
  // after it, else the last. The caller judges whether the record found matches.
  void FindKey(const TVariant& value);
  void FindText(const std::string& text);

private:
  void CheckTableOpen() const;
  void CheckBrowse() const;
  void CheckEditing() const;
  void CheckNotEditing() const;
  void Search();

  TTableState state_ = TTableState::Closed;
  bool eof_ = false;
  std::string indexName_;
  std::vector<TIndex*> indexes_;
};
