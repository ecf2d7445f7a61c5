#pragma once
#include "styled/forms/StyCustomFormFill.h"

// A form background tiled from a picture of an image list.
class TStyBack : public TStyCustomFormFill {
public:
    explicit TStyBack(TComponent* AOwner) : TStyCustomFormFill(AOwner) {}
    String ClassName() const override { return "TStyBack"; }

    // A picture the list does not hold leaves the background to the form.
    bool PaintBackground(TCanvas* Canvas) override;
};
