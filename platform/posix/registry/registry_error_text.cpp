#include "platform/registry_error_text.h"

#include <string>

#include "platform/posix/registry/registry_error.h"

namespace {

struct LastFailure {
    LSTATUS code = ERROR_SUCCESS;
    std::string detail;
};

thread_local LastFailure lastFailure;

const char* SystemWording(LSTATUS code) {
    switch (code) {
        case ERROR_SUCCESS:
            return "The operation completed successfully.";
        case ERROR_INVALID_FUNCTION:
            return "Incorrect function.";
        case ERROR_FILE_NOT_FOUND:
            return "The system cannot find the file specified.";
        case ERROR_ACCESS_DENIED:
            return "Access is denied.";
        case ERROR_INVALID_HANDLE:
            return "The handle is invalid.";
        case ERROR_OUTOFMEMORY:
            return "Not enough storage is available to complete this operation.";
        case ERROR_INVALID_PARAMETER:
            return "The parameter is incorrect.";
        case ERROR_MORE_DATA:
            return "More data is available.";
        case ERROR_NO_MORE_ITEMS:
            return "No more data is available.";
        case ERROR_BADDB:
            return "The configuration registry database is corrupt.";
        case ERROR_BADKEY:
            return "The configuration registry key is invalid.";
        case ERROR_CANTOPEN:
            return "The configuration registry key could not be opened.";
        case ERROR_CANTREAD:
            return "The configuration registry key could not be read.";
        case ERROR_CANTWRITE:
            return "The configuration registry key could not be written.";
        case ERROR_REGISTRY_CORRUPT:
            return "The registry is corrupted.";
        case ERROR_REGISTRY_IO_FAILED:
            return "An I/O operation initiated by the registry failed unrecoverably.";
        case ERROR_KEY_DELETED:
            return "Illegal operation attempted on a registry key that has been marked for deletion.";
        case ERROR_REQUEST_ABORTED:
            return "The request was aborted.";
        default:
            return nullptr;
    }
}

}  // namespace

void registry::RecordRegistryFailure(const RegistryError& error) { lastFailure = {error.code(), error.what()}; }

std::string RegistryErrorText(LSTATUS code) {
    const char* wording = SystemWording(code);
    std::string text = wording != nullptr ? wording : "Unknown error " + std::to_string(code) + ".";
    if (code == lastFailure.code && !lastFailure.detail.empty()) {
        text += " " + lastFailure.detail;
    }
    return text;
}
