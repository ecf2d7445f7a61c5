#pragma once
#include <memory>

#include "styled/base/StyObject.h"
#include "styled/graphics/StyGraphTypes.h"

class TStyCalendarCell;

enum TStyHeaderElement { heMonthName, heMonthBtns, heYear, heYearBtns };
using TStyHeaderElements = unsigned;
constexpr TStyHeaderElements HeaderElement(TStyHeaderElement e) { return 1u << e; }
constexpr TStyHeaderElements AllHeaderElements = 0xF;

// The month-and-year strip above the days.
class TStyCalendarHeader : public TStyObject {
public:
    TStyCalendarHeader();
    ~TStyCalendarHeader() override;
    String ClassName() const override { return "TStyCalendarHeader"; }
    void Assign(TPersistent* Source) override;

    TStyCalendarCell* Style() const { return FStyle.get(); }
    TStyHeaderElements Elements() const { return FElements; }
    void SetElements(TStyHeaderElements Value);
    bool Has(TStyHeaderElement e) const { return (FElements & HeaderElement(e)) != 0; }
    bool UseLongMonthNames() const { return FUseLongMonthNames; }
    void SetUseLongMonthNames(bool Value);
    bool ButtonsToText() const { return FButtonsToText; }
    void SetButtonsToText(bool Value);
    bool RepeatedBtnClick() const { return FRepeatedBtnClick; }
    void SetRepeatedBtnClick(bool Value);
    int RepeatingInterval() const { return FRepeatingInterval; }
    void SetRepeatingInterval(int Value);
    TStyUserButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TStyUserButtonStyle Value);
    int MinHeight() const { return FMinHeight; }
    // Values of 7 or less are ignored: the strip could show no text.
    void SetMinHeight(int Value);

private:
    std::unique_ptr<TStyCalendarCell> FStyle;
    TStyHeaderElements FElements = HeaderElement(heMonthName);
    bool FUseLongMonthNames = true;
    bool FButtonsToText = false;
    bool FRepeatedBtnClick = true;
    int FRepeatingInterval = 100;
    TStyUserButtonStyle FButtonStyle = ubsAutoDetect;
    int FMinHeight = 16;
};
