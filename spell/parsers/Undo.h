#pragma once
// One stop of a check, kept so that Undo Last can step back to it and put
// back what was changed there.
#include "framework/rtl/Types.h"

class TUndo {
public:
    // The code listeners see, derived from Kind when an event fires.
    Byte Action = 0;
    // -1 until the engine stops here; then what was done at the stop.
    Integer Kind = -1;
    Integer SavedColumn = 0;
    Integer SavedLine = 0;
    Integer SavedPosition = 0;
    Integer SavedWordLength = 0;
    String WordBefore;
    String WordAfter;
    // The checker's count of words checked when it stopped here, this word
    // included; -1 when unknown. Undoing the stop takes the count back.
    Integer WordsChecked = -1;
};
