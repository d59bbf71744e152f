#pragma once

class CLinkControl;

// What a link does when it is clicked.
class ILinkControlCallback {
public:
    // True when the link's action was carried out.
    virtual bool OnLinkClicked(CLinkControl& link) = 0;

protected:
    ~ILinkControlCallback() = default;
};
