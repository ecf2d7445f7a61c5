#pragma once
// The named groups of marked days a calendar draws and hints (the
// special dates and their groups).
#include <functional>
#include <memory>

#include "framework/classes/Collection.h"
#include "styled/base/StyDateList.h"
#include "styled/base/StyObject.h"

class TCanvas;
class TStyCalendarCell;
class TStyStoredProperties;

enum TStyAlarmMode { amBefore, amOn, amAfter };

// Alarm settings of a date group. Only stored: nothing evaluates them.
class TStyAlarmObject : public TStyObject {
public:
    String ClassName() const override { return "TStyAlarmObject"; }
    void Assign(TPersistent* Source) override;
    bool Enabled = false;
    bool RegardHours = true;
    bool RegardMinutes = false;
    TStyAlarmMode Alarm = amOn;
    int OffsetDays = 0;
    int OffsetMonths = 0;
    int OffsetHours = 0;
    int OffsetMinutes = 0;
};

using TStyDrawCellEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R, int Day)>;

// One named group of marked dates, drawn in its own style.
class TStySpecialDates : public TCollectionItem {
public:
    explicit TStySpecialDates(TCollection* Collection);
    ~TStySpecialDates() override;
    String ClassName() const override { return "TStySpecialDates"; }
    void Assign(TPersistent* Source) override;

    TStyCalendarCell* Style() const { return FStyle.get(); }
    // The group keeps its own list unless one is handed in, which it then
    // refers to (the caller keeps it alive).
    TStyDateList* Dates() const { return FDates; }
    void SetDates(TStyDateList* Value) { FDates = Value ? Value : FOwnDates.get(); }
    TStyAlarmObject* AlarmObject() const { return FAlarm.get(); }
    // The stored form: "Caption", "AddTimeToHintText" and the dates as
    // "FDates" (StyDateList.h), each written only when it is not empty or
    // off. A bad value raises EConvertError and changes nothing.
    void WriteStored(TStyStoredProperties& P) const;
    void ReadStored(const TStyStoredProperties& P);
    String Caption;
    bool AddTimeToHintText = false;
    TStyDrawCellEvent OnDraw;

private:
    std::unique_ptr<TStyCalendarCell> FStyle;
    std::unique_ptr<TStyDateList> FOwnDates;
    TStyDateList* FDates;
    std::unique_ptr<TStyAlarmObject> FAlarm;
};

class TStySpecialDateGroups : public TCollection {
public:
    explicit TStySpecialDateGroups(TPersistent* Owner);
    String ClassName() const override { return "TStySpecialDateGroups"; }
    TStySpecialDates* Add() { return static_cast<TStySpecialDates*>(TCollection::Add()); }
    TStySpecialDates* Items(int Index) const { return static_cast<TStySpecialDates*>(TCollection::Items(Index)); }
    TPersistent* Owner() const { return FOwner; }

private:
    TPersistent* FOwner;
};
