#pragma once
#include <functional>
#include <vector>

#include "framework/classes/Strings.h"

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* list, int a, int b)>;

// The in-memory string list. A sorted list inserts in order and finds with
// a binary search; Duplicates says what Add does with an equal string.
class TStringList : public TStrings {
public:
    TStringList() = default;
    ~TStringList() override;
    String ClassName() const override { return "TStringList"; }

    int Count() const override { return static_cast<int>(FList.size()); }
    String Get(int index) const override;
    void Put(int index, const String& s) override;   // EStringListError on a sorted list
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* obj) override;
    void Insert(int index, const String& s) override;  // EStringListError on a sorted list
    void Delete(int index) override;
    void Clear() override;
    int Add(const String& s) override;
    int AddObject(const String& s, TObject* obj) override;
    void Exchange(int a, int b) override;
    // Moves the string with its object (kept even when OwnsObjects).
    void Move(int curIndex, int newIndex) override;
    int IndexOf(const String& s) const override;

    virtual bool Find(const String& s, int& index) const;  // sorted lists only
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    TDuplicates Duplicates = dupIgnore;
    void SetCaseSensitive(bool v) override;
    // When true, the list deletes its objects when they are removed.
    bool OwnsObjects = false;

    // OnChanging before and OnChange after each change; none while an
    // update is open (BeginUpdate), and one pair when the outer EndUpdate
    // closes it.
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void Changed();
    virtual void Changing();
    void SetUpdateState(bool updating) override;

private:
    struct Item {
        String S;
        TObject* Obj = nullptr;
    };
    void InsertItem(int index, const String& s, TObject* obj);
    void CheckIndex(int index) const;
    std::vector<Item> FList;
    bool FSorted = false;
};
