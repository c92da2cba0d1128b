#include "policy/PolicySet.h"

#include <cstring>

namespace {

int HexDigit(unsigned char byte) {
    if (byte >= '0' && byte <= '9') return byte - 0x30;
    if (byte >= 'A' && byte <= 'F') return byte - 0x37;
    if (byte >= 'a' && byte <= 'f') return byte - 0x57;
    return -1;
}

ByteString BytesOf(const char* text) { return ByteString(text, text + std::strlen(text)); }

// One row of the value table, written with create set; answers the write's code.
std::int32_t WriteRow(RegistryKey& key, const PolicyValue& row) {
    if (row.type == REG_DWORD) {
        const std::int64_t value = HexToInt(row.data);  // widened with its sign
        return key.SetIntegerValue(row.root, row.keyPath, row.valueName, value, row.type, true);
    }
    ByteString bytes = BytesOf(row.data);  // each row its own: no earlier zero byte
    return key.SetBytesValue(row.root, row.keyPath, row.valueName, bytes, row.type, true);
}

// Removes the key when nothing is left in it; answers the code of whatever went wrong.
std::int32_t RemoveIfEmpty(RegistryKey& key, const PolicyKey& policyKey) {
    std::vector<std::string> subkeys;
    key.EnumSubkeys(policyKey.root, policyKey.keyPath, subkeys);
    if (key.LastError() == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (key.LastError() != ERROR_SUCCESS) return key.LastError();
    std::vector<ValueEntry> values;
    key.EnumValues(policyKey.root, policyKey.keyPath, values);
    if (key.LastError() != ERROR_SUCCESS) return key.LastError();
    if (!subkeys.empty() || !values.empty()) return ERROR_SUCCESS;
    const std::int32_t code = key.DeleteKey(policyKey.root, policyKey.keyPath);
    return code == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : code;
}

}  // namespace

std::int32_t HexToInt(const char* text) {
    if (!text) return 0;
    std::uint32_t result = 0;
    for (const char* byte = text;; ++byte) {
        const int digit = HexDigit(static_cast<unsigned char>(*byte));
        if (digit < 0) break;
        result = (result << 4) + static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(result);
}

PolicyFailures ApplyPolicySet(RegistryKey& key) {
    PolicyFailures failures;
    for (const PolicyValue& row : kPolicySet.values) {
        const std::int32_t code = WriteRow(key, row);
        if (code != ERROR_SUCCESS) failures.push_back({row.root, row.keyPath, row.valueName, code});
    }
    return failures;
}

PolicyFailures RemovePolicySet(RegistryKey& key) {
    PolicyFailures failures;
    for (const PolicyValue& row : kPolicySet.values) {
        const std::int32_t code = key.DeleteValue(row.root, row.keyPath, row.valueName);
        if (code != ERROR_SUCCESS && code != ERROR_FILE_NOT_FOUND) {
            failures.push_back({row.root, row.keyPath, row.valueName, code});
        }
    }
    for (const PolicyKey& policyKey : kPolicySet.keys) {
        const std::int32_t code = RemoveIfEmpty(key, policyKey);
        if (code != ERROR_SUCCESS) {
            failures.push_back({policyKey.root, policyKey.keyPath, "", code});
        }
    }
    return failures;
}
