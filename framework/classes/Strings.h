#pragma once
#include <functional>
#include <vector>

#include "framework/classes/Persistent.h"

class TStream;

// The abstract list of strings with an object per string. Text joins with
// CR LF and splits at CR, LF and CR LF; CommaText and DelimitedText follow
// the runtime's quoting rules; names and values split at the first '='.
class TStrings : public TPersistent {
public:
    String ClassName() const override { return "TStrings"; }

    // --- the storage every descendant provides ---
    virtual int Count() const = 0;
    virtual String Get(int index) const = 0;            // EStringListError
    virtual void Put(int index, const String& s);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* obj);
    virtual void Insert(int index, const String& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    String Strings(int index) const { return Get(index); }
    void SetStrings(int index, const String& s) { Put(index, s); }
    String operator[](int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, TObject* obj) { PutObject(index, obj); }

    virtual int Add(const String& s);
    virtual int AddObject(const String& s, TObject* obj);
    void InsertObject(int index, const String& s, TObject* obj);
    void Append(const String& s) { Add(s); }
    virtual void AddStrings(const TStrings* strings);
    virtual void Exchange(int a, int b);
    virtual void Move(int curIndex, int newIndex);
    virtual int IndexOf(const String& s) const;
    int IndexOfObject(TObject* obj) const;
    void Assign(TPersistent* source) override;
    bool Equals(const TStrings* other) const;

    // --- names and values ---
    String Names(int index) const;
    String Values(const String& name) const;
    void SetValues(const String& name, const String& value);  // "" deletes the line
    String ValueFromIndex(int index) const;
    void SetValueFromIndex(int index, const String& value);
    virtual int IndexOfName(const String& name) const;
    char NameValueSeparator = '=';

    // --- whole-list texts ---
    virtual String Text() const;
    virtual void SetText(const String& text);
    String CommaText() const;
    void SetCommaText(const String& text);
    String DelimitedText() const;
    void SetDelimitedText(const String& text);
    char Delimiter = ',';
    char QuoteChar = '"';
    bool StrictDelimiter = false;

    // --- files and streams, byte for byte ---
    virtual void LoadFromFile(const String& fileName);  // EFOpenError
    virtual void LoadFromStream(TStream* stream);
    // Written safely: the old file stays whole when writing fails.
    virtual void SaveToFile(const String& fileName) const;
    virtual void SaveToStream(TStream* stream) const;

    // --- change notification ---
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Case-insensitive comparison by default (ASCII rules).
    bool CaseSensitive() const { return FCaseSensitive; }
    virtual void SetCaseSensitive(bool v) { FCaseSensitive = v; }
    int CompareStrings(const String& a, const String& b) const;

    std::vector<String> ToVector() const;

protected:
    // Called by BeginUpdate (true) and EndUpdate (false) at the outer level.
    virtual void SetUpdateState(bool updating) { (void)updating; }
    void Error(const char* msg, int data) const;  // raises EStringListError
    bool FCaseSensitive = false;

private:
    int FUpdateCount = 0;
};

// Equality helper for tests and callers that compare lists.
inline bool operator==(const TStrings& a, const TStrings& b) { return a.Equals(&b); }
