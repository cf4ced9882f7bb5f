#pragma once

// What the grid's rules see of a search: whether its hit is shown, so that the next cell to
// gain the focus shows green, and that a move of the user's own ends it. The search itself
// keeps where it stands.
class SearchMark
{
public:
    virtual bool hitShown() const = 0;
    // The hit is no longer painted; the next step still goes on after it.
    virtual void hideHit() = 0;
    // The next step starts again from the first record.
    virtual void endSearch() = 0;

protected:
    ~SearchMark() = default;
};
