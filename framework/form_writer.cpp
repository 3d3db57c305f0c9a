#include "framework/form_writer.h"

#include <vector>

#include "framework/component.h"
#include "framework/published.h"

namespace {

std::string Quote(const std::string& text) {
    if (text.empty()) return "''";
    std::string out;
    bool inQuotes = false;
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32) {
            if (inQuotes) out += '\'';
            inQuotes = false;
            out += '#' + std::to_string(code);
            continue;
        }
        if (!inQuotes) out += '\'';
        inQuotes = true;
        out += c == '\'' ? std::string("''") : std::string(1, c);
    }
    if (inQuotes) out += '\'';
    return out;
}

// The ancestors' properties come first, as a stored layout lists them.
void CollectProperties(const ClassInfo* info, std::vector<const PropertyInfo*>& out) {
    if (info == nullptr) return;
    CollectProperties(info->parent, out);
    for (const PropertyInfo& property : info->properties) {
        std::erase_if(out, [&](const PropertyInfo* p) { return p->name == property.name; });
        out.push_back(&property);
    }
}

class FormWriter {
  public:
    explicit FormWriter(const TComponent& root) : root_(root) {}

    std::string Write() {
        WriteObject(root_, 0);
        return out_;
    }

  private:
    void WriteObject(const TComponent& component, int depth) {
        const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
        out_ += indent + "object " + component.Name() + ": " + std::string(component.ClassName()) + "\n";
        std::vector<const PropertyInfo*> properties;
        CollectProperties(&component.ClassType(), properties);
        for (const PropertyInfo* property : properties) {
            if (property->name == "Name" || (property->isStored && !property->isStored(component))) continue;
            if (auto text = Format(*property, property->get(component))) {
                out_ += indent + "  " + std::string(property->name) + " = " + *text + "\n";
            }
        }
        std::vector<TComponent*> children;
        component.GetChildren(children, &root_);
        for (const TComponent* child : children) WriteObject(*child, depth + 1);
        out_ += indent + "end\n";
    }

    // The value as the file writes it, or nothing when a stored layout leaves it out.
    std::optional<std::string> Format(const PropertyInfo& property, const PropertyValue& value) const {
        const auto isDefault = [&](long long v) {
            return property.defaultValue && *property.defaultValue == v;
        };
        switch (property.kind) {
            case PropertyKind::Boolean: {
                const bool v = std::get<bool>(value);
                if (isDefault(v)) return std::nullopt;
                return std::string(v ? "True" : "False");
            }
            case PropertyKind::Integer: {
                const long long v = std::get<long long>(value);
                if (isDefault(v)) return std::nullopt;
                return std::to_string(v);
            }
            case PropertyKind::Enumeration: {
                const long long v = std::get<long long>(value);
                if (isDefault(v)) return std::nullopt;
                return std::string(property.enumNames[static_cast<std::size_t>(v)]);
            }
            case PropertyKind::Set: {
                const long long v = std::get<long long>(value);
                if (isDefault(v)) return std::nullopt;
                std::string text = "[";
                for (std::size_t bit = 0; bit < property.enumNames.size(); ++bit) {
                    if ((v & (1LL << bit)) == 0) continue;
                    if (text.size() > 1) text += ", ";
                    text += property.enumNames[bit];
                }
                return text + "]";
            }
            case PropertyKind::String: {
                const auto& v = std::get<std::string>(value);
                if (v.empty()) return std::nullopt;
                return Quote(v);
            }
            case PropertyKind::Date:
                return Quote(DateToIso(std::get<TDate>(value)));
            case PropertyKind::Strings: {
                const auto& items = std::get<std::vector<std::string>>(value);
                if (items.empty()) return std::nullopt;
                std::string text = "(";
                for (const std::string& item : items) text += " " + Quote(item);
                return text + " )";
            }
            case PropertyKind::Event: {
                const auto& event = std::get<TNotifyEvent>(value);
                if (!event) return std::nullopt;
                const MethodInfo* method = root_.ClassType().FindMethod(event.Code);
                if (method == nullptr || event.Data != &root_) return std::nullopt;
                return std::string(method->name);
            }
            case PropertyKind::Component: {
                const TComponent* target = std::get<TComponent*>(value);
                if (target == nullptr) return std::nullopt;
                return target->Name();
            }
        }
        return std::nullopt;
    }

    const TComponent& root_;
    std::string out_;
};

}  // namespace

std::string WriteComponentText(const TComponent& root) { return FormWriter(root).Write(); }
