// The system's dialog for choosing a file to open.
#pragma once

#include <string>

#include "framework/component.h"
#include "framework/widgetset/widgetset.h"

class TOpenDialog : public TComponent {
    DECLARE_CLASS_INFO
  public:
    using TComponent::TComponent;

    // Modal; true only when the user chose a file, whose full path FileName then holds.
    bool Execute();

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value) { fileName_ = value; }
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& value) { defaultExt_ = value; }
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& value) { filter_ = value; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    // Not part of the layout: the program says what the file is for where it asks for one.
    widgetset::FileKind Kind() const { return kind_; }
    void SetKind(widgetset::FileKind value) { kind_ = value; }

  private:
    std::string fileName_;
    std::string defaultExt_;
    std::string filter_;
    std::string title_;
    widgetset::FileKind kind_ = widgetset::FileKind::Any;
};
