#include "platform/qt/button_peer.h"

namespace qtbackend {

ButtonPeer::ButtonPeer(TButton& button) : CaptionedPeer(button) {
    // clicked comes from the user only: nothing here clicks the button from code.
    QObject::connect(View(), &QPushButton::clicked, [&button] { button.UserClick(); });
}

}  // namespace qtbackend
