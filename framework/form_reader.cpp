#include "framework/form_reader.h"

#include <algorithm>
#include <map>
#include <vector>

#include "framework/class_registry.h"
#include "framework/component.h"
#include "framework/exceptions.h"
#include "framework/form_lexer.h"
#include "framework/published.h"
#include "framework/text.h"

namespace {

using Kind = FormLexer::Kind;

// A setter's own error becomes a read error that names the line.
template <class Action>
void Guarded(int line, Action action) {
    try {
        action();
    } catch (const EReadError&) {
        throw;
    } catch (const std::exception& error) {
        FormLexer::FailAt(line, error.what());
    }
}

// One step of loading a layout, in the order of the file.
struct Step {
    enum class Action { Create, Set, Refer };
    Action action = Action::Set;
    int line = 0;
    // The component the step is about, counted in creation order from the root (0); for Create, the parent.
    std::size_t component = 0;
    const ClassInfo* created = nullptr;      // Create
    std::string name{};                      // Create: the new component's; Refer: the one referred to
    const PropertyInfo* property = nullptr;  // Set, Refer
    PropertyValue value{};                   // Set, but for an event
    const MethodInfo* handler = nullptr;     // Set of an event: bound to the root being loaded
};

// A form file read once: what to create and set, checked against the classes, with no component made.
struct Layout {
    int line;
    std::string rootName;
    std::vector<Step> steps;
};

class LayoutParser {
  public:
    LayoutParser(const ClassInfo& rootClass, std::string_view text) : rootClass_(rootClass), lexer_(text) {}

    Layout Parse() {
        layout_.line = lexer_.Peek().line;
        ExpectWord("object");
        layout_.rootName = ExpectIdentifier();
        ExpectSymbol(":");
        const std::string className = ExpectIdentifier();
        if (!SameText(className, rootClass_.name)) {
            FormLexer::FailAt(layout_.line,
                              "the form is a " + std::string(rootClass_.name) + ", not a " + className);
        }
        ParseBody(0, rootClass_);
        if (lexer_.Peek().kind != Kind::End) lexer_.Fail("text after the form's closing 'end'");
        return std::move(layout_);
    }

  private:
    void ParseBody(std::size_t component, const ClassInfo& info) {
        for (;;) {
            const FormLexer::Token& token = lexer_.Peek();
            if (token.kind == Kind::End) lexer_.Fail("missing 'end'");
            if (token.kind == Kind::Identifier && SameText(token.text, "end")) {
                lexer_.Next();
                return;
            }
            if (token.kind == Kind::Identifier && SameText(token.text, "object")) {
                lexer_.Next();
                ParseChild(component);
            } else {
                ParseProperty(component, info);
            }
        }
    }

    void ParseChild(std::size_t parent) {
        const int line = lexer_.Peek().line;
        std::string name = ExpectIdentifier();
        ExpectSymbol(":");
        const std::string className = ExpectIdentifier();
        const ClassInfo* info = FindClass(className);
        if (info == nullptr || info->create == nullptr) FormLexer::FailAt(line, "unknown class " + className);
        layout_.steps.push_back({.action = Step::Action::Create,
                                 .line = line,
                                 .component = parent,
                                 .created = info,
                                 .name = std::move(name)});
        ParseBody(++components_, *info);
    }

    void ParseProperty(std::size_t component, const ClassInfo& info) {
        const int line = lexer_.Peek().line;
        std::string name = ExpectIdentifier();
        while (lexer_.Peek().kind == Kind::Symbol && lexer_.Peek().text == ".") {
            lexer_.Next();
            name += "." + ExpectIdentifier();
        }
        const PropertyInfo* property = info.FindProperty(name);
        if (property == nullptr) {
            FormLexer::FailAt(line, "unknown property " + name + " of " + std::string(info.name));
        }
        ExpectSymbol("=");
        Step step{.action = Step::Action::Set, .line = line, .component = component, .property = property};
        if (property->kind == PropertyKind::Component) {
            step.action = Step::Action::Refer;
            step.name = ExpectIdentifier();
        } else if (property->kind == PropertyKind::Event) {
            step.handler = ReadHandler(line);
        } else {
            step.value = ReadValue(*property, line);
        }
        layout_.steps.push_back(std::move(step));
    }

    // Reads the value of a property on the given line; a value that does not fit is an error there.
    PropertyValue ReadValue(const PropertyInfo& property, int line) {
        switch (property.kind) {
            case PropertyKind::Boolean: {
                const std::string word = ExpectIdentifier();
                if (SameText(word, "True")) return true;
                if (SameText(word, "False")) return false;
                FormLexer::FailAt(line, std::string(property.name) + " takes True or False, not " + word);
            }
            case PropertyKind::Integer:
                return Expect(Kind::Integer, "a number").integer;
            case PropertyKind::String:
                return Expect(Kind::String, "a quoted string").text;
            case PropertyKind::Date: {
                const std::string text = Expect(Kind::String, "a quoted date").text;
                PropertyValue date;
                Guarded(line, [&] { date = IsoToDate(text); });
                return date;
            }
            case PropertyKind::Strings:
                return ReadList();
            case PropertyKind::Enumeration:
                return static_cast<long long>(IndexOfName(property, ExpectIdentifier(), line));
            case PropertyKind::Set:
                return ReadSet(property, line);
            case PropertyKind::Event:
            case PropertyKind::Component:
                break;
        }
        FormLexer::FailAt(line, "property " + std::string(property.name) + " cannot be read");
    }

    std::vector<std::string> ReadList() {
        ExpectSymbol("(");
        std::vector<std::string> items;
        while (!(lexer_.Peek().kind == Kind::Symbol && lexer_.Peek().text == ")")) {
            items.push_back(Expect(Kind::String, "a quoted string or ')'").text);
        }
        lexer_.Next();
        return items;
    }

    long long ReadSet(const PropertyInfo& property, int line) {
        ExpectSymbol("[");
        long long bits = 0;
        while (!(lexer_.Peek().kind == Kind::Symbol && lexer_.Peek().text == "]")) {
            if (bits != 0) ExpectSymbol(",");
            bits |= 1LL << IndexOfName(property, ExpectIdentifier(), line);
        }
        lexer_.Next();
        return bits;
    }

    const MethodInfo* ReadHandler(int line) {
        const std::string handler = ExpectIdentifier();
        const MethodInfo* method = rootClass_.FindMethod(handler);
        if (method == nullptr) {
            FormLexer::FailAt(line, "unknown handler " + handler + " (not published by " +
                                        std::string(rootClass_.name) + ")");
        }
        return method;
    }

    std::size_t IndexOfName(const PropertyInfo& property, const std::string& word, int line) {
        auto it =
            std::ranges::find_if(property.enumNames, [&](std::string_view n) { return SameText(n, word); });
        if (it == property.enumNames.end()) {
            FormLexer::FailAt(line, "unknown value " + word + " of " + std::string(property.name));
        }
        return static_cast<std::size_t>(it - property.enumNames.begin());
    }

    FormLexer::Token Expect(Kind kind, const std::string& what) {
        if (lexer_.Peek().kind != kind) lexer_.Fail("expected " + what);
        return lexer_.Next();
    }
    std::string ExpectIdentifier() { return Expect(Kind::Identifier, "a name").text; }
    void ExpectWord(std::string_view word) {
        if (lexer_.Peek().kind != Kind::Identifier || !SameText(lexer_.Peek().text, word)) {
            lexer_.Fail("expected '" + std::string(word) + "'");
        }
        lexer_.Next();
    }
    void ExpectSymbol(std::string_view symbol) {
        if (lexer_.Peek().kind != Kind::Symbol || lexer_.Peek().text != symbol) {
            lexer_.Fail("expected '" + std::string(symbol) + "'");
        }
        lexer_.Next();
    }

    const ClassInfo& rootClass_;
    FormLexer lexer_;
    Layout layout_;
    std::size_t components_ = 0;
};

// A form made anew (a window opened again, a test's restart) loads the same text again: it is read once
// per process and class, and only what loaded without an error is kept.
const Layout& ParsedLayout(const ClassInfo& rootClass, std::string_view text) {
    static std::map<const ClassInfo*, std::map<std::string, Layout, std::less<>>> parsed;
    auto& layouts = parsed[&rootClass];
    if (auto known = layouts.find(text); known != layouts.end()) return known->second;
    Layout layout = LayoutParser(rootClass, text).Parse();
    return layouts.emplace(std::string(text), std::move(layout)).first->second;
}

void Load(TComponent& root, const Layout& layout) {
    root.BeginLoading();
    std::vector<TComponent*> loaded{&root};
    Guarded(layout.line, [&] { root.SetName(layout.rootName); });
    std::vector<const Step*> references;
    for (const Step& step : layout.steps) {
        switch (step.action) {
            case Step::Action::Create: {
                TComponent* child = step.created->create(&root);
                child->BeginLoading();
                loaded.push_back(child);
                Guarded(step.line, [&] {
                    child->SetName(step.name);
                    child->SetParentComponent(loaded[step.component]);
                });
                break;
            }
            case Step::Action::Set:
                Guarded(step.line, [&] {
                    step.property->set(*loaded[step.component],
                                       step.handler != nullptr
                                           ? PropertyValue(TNotifyEvent{&root, step.handler->code})
                                           : step.value);
                });
                break;
            case Step::Action::Refer:
                references.push_back(&step);
                break;
        }
    }
    // References to components are resolved once every component is there.
    for (const Step* reference : references) {
        TComponent* target =
            SameText(reference->name, root.Name()) ? &root : root.FindComponent(reference->name);
        if (target == nullptr) FormLexer::FailAt(reference->line, "unknown component " + reference->name);
        if (!target->InheritsFrom(*reference->property->referenceClass)) {
            FormLexer::FailAt(reference->line, reference->name + " is not a " +
                                                   std::string(reference->property->referenceClass->name));
        }
        reference->property->set(*loaded[reference->component], target);
    }
    for (TComponent* component : loaded) component->Loaded();
}

}  // namespace

void ReadComponentText(TComponent& root, std::string_view text) {
    Load(root, ParsedLayout(root.ClassType(), text));
}
