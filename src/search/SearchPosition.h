#pragma once

#include "editing/SearchMark.h"

// Where the search across the store stands between two steps.
class SearchPosition final : public SearchMark
{
public:
    int nextRecord = 1; // the record the next step reads first (1 = from the start)
    int lastHit = 0;    // record of the last hit, 0 for none
    bool found = false; // a hit is shown

    bool hitShown() const override { return found; }
    void hideHit() override { found = false; }
    void endSearch() override
    {
        found = false;
        nextRecord = 1;
        lastHit = 0;
    }
};
