#include "framework/form_reader.h"

#include <algorithm>
#include <vector>

#include "framework/class_registry.h"
#include "framework/component.h"
#include "framework/exceptions.h"
#include "framework/form_lexer.h"
#include "framework/published.h"
#include "framework/text.h"

namespace {

using Kind = FormLexer::Kind;

class FormReader {
  public:
    FormReader(TComponent& root, std::string_view text) : root_(root), lexer_(text) {}

    void Read() {
        const int line = lexer_.Peek().line;
        ExpectWord("object");
        const std::string name = ExpectIdentifier();
        ExpectSymbol(":");
        const std::string className = ExpectIdentifier();
        if (!SameText(className, root_.ClassName())) {
            FormLexer::FailAt(line, "the form is a " + std::string(root_.ClassName()) + ", not a " + className);
        }
        root_.BeginLoading();
        loaded_.push_back(&root_);
        Guarded(line, [&] { root_.SetName(name); });
        ReadBody(root_);
        if (lexer_.Peek().kind != Kind::End) lexer_.Fail("text after the form's closing 'end'");
        ResolveReferences();
        for (TComponent* component : loaded_) component->Loaded();
    }

  private:
    struct Reference {
        TComponent* component;
        const PropertyInfo* property;
        std::string name;
        int line;
    };

    void ReadBody(TComponent& component) {
        for (;;) {
            const FormLexer::Token& token = lexer_.Peek();
            if (token.kind == Kind::End) lexer_.Fail("missing 'end'");
            if (token.kind == Kind::Identifier && SameText(token.text, "end")) {
                lexer_.Next();
                return;
            }
            if (token.kind == Kind::Identifier && SameText(token.text, "object")) {
                lexer_.Next();
                ReadChild(component);
            } else {
                ReadProperty(component);
            }
        }
    }

    void ReadChild(TComponent& parent) {
        const int line = lexer_.Peek().line;
        const std::string name = ExpectIdentifier();
        ExpectSymbol(":");
        const std::string className = ExpectIdentifier();
        const ClassInfo* info = FindClass(className);
        if (info == nullptr || info->create == nullptr) FormLexer::FailAt(line, "unknown class " + className);
        TComponent* child = info->create(&root_);
        child->BeginLoading();
        loaded_.push_back(child);
        Guarded(line, [&] {
            child->SetName(name);
            child->SetParentComponent(&parent);
        });
        ReadBody(*child);
    }

    void ReadProperty(TComponent& component) {
        const int line = lexer_.Peek().line;
        std::string name = ExpectIdentifier();
        while (lexer_.Peek().kind == Kind::Symbol && lexer_.Peek().text == ".") {
            lexer_.Next();
            name += "." + ExpectIdentifier();
        }
        const PropertyInfo* property = component.ClassType().FindProperty(name);
        if (property == nullptr) {
            FormLexer::FailAt(line, "unknown property " + name + " of " + std::string(component.ClassName()));
        }
        ExpectSymbol("=");
        if (property->kind == PropertyKind::Component) {
            references_.push_back({&component, property, ExpectIdentifier(), line});
            return;
        }
        const PropertyValue value = ReadValue(*property, line);
        Guarded(line, [&] { property->set(component, value); });
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
                return ReadEvent(line);
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

    TNotifyEvent ReadEvent(int line) {
        const std::string handler = ExpectIdentifier();
        const MethodInfo* method = root_.ClassType().FindMethod(handler);
        if (method == nullptr) {
            FormLexer::FailAt(line, "unknown handler " + handler + " (not published by " +
                                        std::string(root_.ClassName()) + ")");
        }
        return TNotifyEvent{&root_, method->code};
    }

    std::size_t IndexOfName(const PropertyInfo& property, const std::string& word, int line) {
        auto it =
            std::ranges::find_if(property.enumNames, [&](std::string_view n) { return SameText(n, word); });
        if (it == property.enumNames.end()) {
            FormLexer::FailAt(line, "unknown value " + word + " of " + std::string(property.name));
        }
        return static_cast<std::size_t>(it - property.enumNames.begin());
    }

    void ResolveReferences() {
        for (const Reference& reference : references_) {
            TComponent* target =
                SameText(reference.name, root_.Name()) ? &root_ : root_.FindComponent(reference.name);
            if (target == nullptr) FormLexer::FailAt(reference.line, "unknown component " + reference.name);
            if (!target->InheritsFrom(*reference.property->referenceClass)) {
                FormLexer::FailAt(reference.line, reference.name + " is not a " +
                                                      std::string(reference.property->referenceClass->name));
            }
            reference.property->set(*reference.component, target);
        }
    }

    // A setter's own error becomes a read error that names the line.
    template <class Action>
    static void Guarded(int line, Action action) {
        try {
            action();
        } catch (const EReadError&) {
            throw;
        } catch (const std::exception& error) {
            FormLexer::FailAt(line, error.what());
        }
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

    TComponent& root_;
    FormLexer lexer_;
    std::vector<TComponent*> loaded_;
    std::vector<Reference> references_;
};

}  // namespace

void ReadComponentText(TComponent& root, std::string_view text) { FormReader(root, text).Read(); }
