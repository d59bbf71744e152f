#pragma once

// CShellExecuteLink: a link action that opens a file or address with the shell,
// owned by the link's dialog.

#include "library/controls/ILinkControlCallback.h"

#include <string>

class CShellExecuteLink : public ILinkControlCallback {
public:
    CShellExecuteLink() = default;
    explicit CShellExecuteLink(std::string target) : m_target(std::move(target)) {}
    virtual ~CShellExecuteLink() = default;

    void SetTarget(const std::string& target) { m_target = target; }
    const std::string& GetTarget() const { return m_target; }

    // True when the shell opened the target.
    bool OnLinkClicked(CLinkControl& link) override;

private:
    std::string m_target;
};
