#include <QLineEdit>
#include <QSignalBlocker>
#include <limits>

#include "framework/edit.h"
#include "framework/widgetset/peer_kinds.h"
#include "platform/qt/captions.h"
#include "platform/qt/control_peer.h"
#include "platform/qt/max_length_validator.h"

namespace qtbackend {

namespace {

// TEdit: a QLineEdit. What the user types goes to the control; text set from code is shown without being
// reported back, and MaxLength limits typing only.
class EditPeer : public TypedPeer<TEdit, QLineEdit> {
  public:
    explicit EditPeer(TEdit& edit) : TypedPeer(edit) {
        // Not QLineEdit's own maxLength: it cuts text set from code too, so it is lifted from its default
        // of 32,767 characters, which would shorten a longer stored message and save it shortened.
        View()->setMaxLength(std::numeric_limits<int>::max());
        View()->setValidator(new MaxLengthValidator(View(), [&edit] { return edit.MaxLength(); }));
        // Every change but the peer's own is the user's: typed, pasted, or set by an assistive tool through
        // the accessibility interface, which sets the text as code does (so textEdited would miss it).
        QObject::connect(View(), &QLineEdit::textChanged,
                         [&edit](const QString& text) { edit.UserEditText(ToStdString(text)); });
    }

  protected:
    void ShowAspect(widgetset::Aspect aspect) override {
        // Compared first, so that the text the user just typed keeps its cursor and undo history.
        if (aspect == widgetset::Aspect::Caption && View()->text() != ToQString(Object().Text())) {
            const QSignalBlocker notEchoed(View());
            View()->setText(ToQString(Object().Text()));
            // Text set from code is shown from its beginning, as on Windows; Qt would show its end.
            View()->setCursorPosition(0);
        }
    }
};

}  // namespace

}  // namespace qtbackend

peer_kinds::Peer peer_kinds::MakePeer(TEdit& edit) { return std::make_unique<qtbackend::EditPeer>(edit); }
