#include "framework/error_reporting.h"

#include <cstdio>
#include <exception>

#include "framework/application.h"

void ReportErrors(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        if (Application != nullptr) {
            Application->ShowException(error.what());
        } else {
            std::fprintf(stderr, "%s\n", error.what());
        }
    }
}
