// Controls: components with a place in a parent, a peer that shows them, and the event rule. Every setter
// has one shape, written once in Apply: compare, store, push to the peer, then run the bound handler.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/component.h"
#include "framework/font.h"
#include "framework/notify_event.h"
#include "framework/widgetset/widgetset.h"

class TWinControl;

class TControl : public TComponent {
    DECLARE_CLASS_INFO
  public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { Apply(left_, value, widgetset::Aspect::Bounds); }
    void SetTop(int value) { Apply(top_, value, widgetset::Aspect::Bounds); }
    void SetWidth(int value) { Apply(width_, value, widgetset::Aspect::Bounds); }
    void SetHeight(int value) { Apply(height_, value, widgetset::Aspect::Bounds); }

    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Apply(visible_, value, widgetset::Aspect::Visible); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { Apply(enabled_, value, widgetset::Aspect::Enabled); }

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { Apply(hint_, value, widgetset::Aspect::Hint); }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { Apply(showHint_, value, widgetset::Aspect::Hint); }
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value) { Apply(parentShowHint_, value, widgetset::Aspect::Hint); }
    // Set by the layout only, before the peers exist: changing it tells no peer, so code leaves it as the
    // layout has it.
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int value) { tabOrder_ = value; }

    // The font in force: the control's own, or its parent's while ParentFont holds.
    const TFont& Font() const;
    // Ends ParentFont: the font becomes the control's own.
    void SetFont(const TFont& font) {
        Apply(font_, FontChoice{.parentFont = false, .own = font}, widgetset::Aspect::Font);
    }
    // The font's parts as the layout names them ("Font.Name"...); setting one ends ParentFont.
    const std::string& FontName() const { return Font().Name; }
    void SetFontName(const std::string& value);
    int FontHeight() const { return Font().Height; }
    void SetFontHeight(int value);
    int FontCharset() const { return Font().Charset; }
    void SetFontCharset(int value);
    int FontColor() const { return Font().Color; }
    void SetFontColor(int value);
    bool ParentFont() const { return font_.parentFont; }
    void SetParentFont(bool value) { Apply(font_.parentFont, value, widgetset::Aspect::Font); }

    const TNotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(const TNotifyEvent& event) { onClick_ = event; }
    // Runs OnClick, as a click does.
    virtual void Click();

    // What a peer calls when the user clicks the control; a disabled control ignores it.
    virtual void UserClick();

    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    bool HasPeer() const { return peer_ != nullptr; }
    // The peer, created on first use once loading is over.
    widgetset::ControlPeer& Peer();

    void Loaded() override;

  protected:
    // The one setter shape: nothing happens when the value is unchanged; otherwise store, show, and run
    // the bound handler (never while the layout is being loaded or the control destroyed).
    template <class T>
    bool Apply(T& field, const T& value, widgetset::Aspect aspect, const TNotifyEvent& changed = {}) {
        if (field == value) return false;
        field = value;
        Changed(aspect);
        if (changed && !IsLoading() && !IsDestroying()) changed(this);
        return true;
    }
    void Changed(widgetset::Aspect aspect);

    // The caption, or an edit's text; classes that have one make these public.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { Apply(caption_, value, widgetset::Aspect::Caption); }
    bool ApplyCaption(const std::string& value, const TNotifyEvent& changed) {
        return Apply(caption_, value, widgetset::Aspect::Caption, changed);
    }
    // Runs a user's action at a dispatch point: an error escaping a handler is reported, and the
    // program goes on.
    void RunUserAction(const std::function<void()>& action);
    // Runs, as a user's action, the user's change of what the peer shows for aspect, which the peer shows
    // already. Unless the peer has been told of that aspect since (the change taken, or changed again by
    // the handler), the control refused it, and the peer is told once to show what the control holds;
    // never after a handler freed the control.
    void RunUserChange(widgetset::Aspect aspect, const std::function<void()>& change);

  private:
    template <class T>
    void SetFontPart(T TFont::*part, const T& value);

    // Which font is in force and the control's own, compared as one so that SetFont tells the peer once.
    struct FontChoice {
        bool parentFont = true;
        TFont own;  // kept while ParentFont holds, in force again when it ends
        bool operator==(const FontChoice&) const = default;
    };

    // The user's changes running now (RunUserChange), the innermost first.
    struct UserChange;
    UserChange* userChange_ = nullptr;

    TWinControl* parent_ = nullptr;
    std::unique_ptr<widgetset::ControlPeer> peer_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    int tabOrder_ = -1;
    FontChoice font_;
    TNotifyEvent onClick_;

    friend class TWinControl;
};
