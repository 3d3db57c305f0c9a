// The main form's layout: the text of app/main_form.form, embedded at build time.
#pragma once

#include <string_view>

extern const std::string_view kMainFormLayout;
