#include "policy/Actions.h"

#include <memory>
#include <string>

#include "policy/BrowserGuard.h"
#include "policy/MessageBox.h"
#include "policy/PolicySet.h"

namespace {

// The action's own key object, initialised first and destroyed on every way out.
class ActionKey {
public:
    ActionKey() : key_(std::make_unique<RegistryKey>()) { key_->Init(); }
    ~ActionKey() { key_->Destroy(); }
    ActionKey(const ActionKey&) = delete;
    ActionKey& operator=(const ActionKey&) = delete;
    RegistryKey& operator*() { return *key_; }

private:
    std::unique_ptr<RegistryKey> key_;
};

const char* RootName(sys::KeyHandle root) {
    return root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

// One line per key that failed, with the system's words for the first code it gave.
std::string FailureText(const PolicyFailures& failures) {
    std::string text = "部分设置未能完成：";
    std::string listed;
    bool needsAdministrator = false;
    for (const PolicyFailure& failure : failures) {
        const std::string key = std::string(RootName(failure.root)) + "\\" + failure.keyPath;
        needsAdministrator = needsAdministrator || (failure.root == HKEY_LOCAL_MACHINE &&
                                                    failure.code == ERROR_ACCESS_DENIED);
        if (listed.find("\n" + key + "\n") != std::string::npos) continue;
        listed += "\n" + key + "\n";
        text += "\n" + key + "：" + sys::ErrorText(failure.code);
    }
    if (needsAdministrator) text += "\n请以管理员身份运行本工具后重试。";
    return text;
}

void ReportOutcome(const PolicyFailures& failures, const char* done) {
    if (failures.empty()) {
        ShowMessage(done, "提示", MB_OK | MB_ICONINFORMATION);
    } else {
        ShowMessage(FailureText(failures).c_str(), "提示", MB_OK | MB_ICONWARNING);
    }
}

}  // namespace

void EnableAction() {
    ActionKey key;
    if (ShowMessage("确认开启吗？", "安全警告", MB_OKCANCEL | MB_ICONEXCLAMATION) ==
        kAnswerCancel) {
        return;
    }
    if (BrowserGuard() == GuardAnswer::Cancelled) return;
    ReportOutcome(ApplyPolicySet(*key), "已开启");
}

void DisableAction() {
    ActionKey key;
    if (BrowserGuard() == GuardAnswer::Cancelled) return;
    ReportOutcome(RemovePolicySet(*key), "已完成");
}
