// The controls whose only additions are a published caption: they differ in how a peer shows them.
#pragma once

#include "framework/win_control.h"

// Makes the caption public and published; one template instead of the same lines in five classes.
template <class Base>
class TCaptioned : public Base {
  public:
    using Base::Base;
    using Base::Caption;
    using Base::SetCaption;
};

class TPanel : public TCaptioned<TWinControl> {
    DECLARE_CLASS_INFO
  public:
    using TCaptioned::TCaptioned;
};

class TGroupBox : public TCaptioned<TWinControl> {
    DECLARE_CLASS_INFO
  public:
    using TCaptioned::TCaptioned;
};

// A text without a window of its own.
class TLabel : public TCaptioned<TControl> {
    DECLARE_CLASS_INFO
  public:
    using TCaptioned::TCaptioned;
};

class TButton : public TCaptioned<TWinControl> {
    DECLARE_CLASS_INFO
  public:
    using TCaptioned::TCaptioned;
};
