#include "tools/reg/commands.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>

#include "platform/posix/registry/registry_session.h"
#include "tools/reg/confirm.h"
#include "tools/reg/key_walk.h"
#include "tools/reg/reg_file_reader.h"
#include "tools/reg/reg_file_writer.h"
#include "tools/reg/registry_key.h"
#include "tools/reg/value_text.h"

namespace regtool {

namespace {

constexpr const char* kDone = "The operation completed successfully.\n";
// Between the columns of a value line, and before it.
constexpr const char* kGap = "    ";

void RequireYes(const std::string& question, bool force) {
    if (!force && !Confirm(question)) throw ToolError("The operation was cancelled by the user.");
}

std::string ShownName(const std::string& name) { return name.empty() ? "(Default)" : name; }

void PrintValue(const RegistryValue& value) {
    std::cout << kGap << ShownName(value.name) << kGap << TypeName(value.type) << kGap
              << DisplayData(value.type, value.data) << "\n";
}

std::vector<RegistryValue> Matching(const RegistryKey& key, const std::optional<std::string>& name) {
    if (!name) return key.Values();
    std::optional<RegistryValue> value = key.Find(*name);
    if (!value) return {};
    return {*value};
}

// The key's block: its full path and its values, or only the value asked for, and nothing when the key
// does not hold it. Returns the number of values printed.
std::size_t PrintBlock(const KeyPath& path, const RegistryKey& key, const CommandLine& command) {
    std::vector<RegistryValue> values = Matching(key, command.valueName);
    if (!command.valueName || !values.empty()) std::cout << "\n" << path.Full() << "\n";
    for (const RegistryValue& value : values) PrintValue(value);
    return values.size();
}

// With /s every key below is a block of its own; without, subkeys are listed after the values.
void Query(const CommandLine& command) {
    const KeyPath path = ParseKeyPath(command.operands[0]);
    std::size_t found = 0;
    if (command.recurse) {
        WalkKeys(path, [&](const KeyPath& each, const RegistryKey& key, const std::vector<std::string>&) {
            found += PrintBlock(each, key, command);
        });
    } else {
        const RegistryKey key = RegistryKey::OpenExisting(path);
        found = PrintBlock(path, key, command);
        const std::vector<std::string> subkeys = key.Subkeys();
        if (!command.valueName && !subkeys.empty()) {
            std::cout << "\n";
            for (const std::string& name : subkeys) std::cout << path.Child(name).Full() << "\n";
        }
    }
    if (command.valueName && found == 0) throw NotFound();
    std::cout << "\n";
}

void Add(const CommandLine& command) {
    KeyPath path = ParseKeyPath(command.operands[0]);
    DWORD type = REG_SZ;
    if (command.type) {
        std::optional<DWORD> named = TypeFromName(*command.type);
        if (!named) throw ToolError("Invalid type: " + *command.type + ".");
        type = *named;
    }
    if (command.separator && command.separator->size() != 1)
        throw ToolError("The separator must be one character.");
    std::string data = DataFromText(type, command.data.value_or(""), command.separator.value_or("\\0"));
    RegistryKey key = RegistryKey::Create(path);
    // A type or data without /v sets the default value.
    std::optional<std::string> name = command.valueName;
    if (!name && (command.type || command.data)) name = "";
    if (name) {
        if (key.Find(*name)) RequireYes("Value " + ShownName(*name) + " exists, overwrite", command.force);
        CheckStatus(RegSetValueExA(key.handle(), name->c_str(), 0, type,
                                   reinterpret_cast<const BYTE*>(data.data()),
                                   static_cast<DWORD>(data.size())));
    }
    std::cout << kDone;
}

void Delete(const CommandLine& command) {
    KeyPath path = ParseKeyPath(command.operands[0]);
    RegistryKey key = RegistryKey::OpenExisting(path);
    if (command.valueName) {
        if (!key.Find(*command.valueName)) throw NotFound();
        RequireYes("Delete the registry value " + ShownName(*command.valueName), command.force);
        CheckStatus(RegDeleteValueA(key.handle(), command.valueName->c_str()));
    } else if (command.allValues) {
        RequireYes("Delete all values under the registry key " + path.Full(), command.force);
        for (const RegistryValue& value : key.Values())
            CheckStatus(RegDeleteValueA(key.handle(), value.name.c_str()));
    } else {
        if (path.subkey.empty()) throw ToolError("A root key cannot be deleted.");
        RequireYes("Permanently delete the registry key " + path.Full(), command.force);
        CheckStatus(RegDeleteTreeA(path.root, path.subkey.c_str()));
    }
    std::cout << kDone;
}

void Export(const CommandLine& command) {
    std::string text = ExportRegFile(ParseKeyPath(command.operands[0]));
    const std::string& file = command.operands[1];
    if (std::ifstream(file)) RequireYes("File " + file + " already exists. Overwrite", command.force);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) throw ToolError("Cannot write " + file + ".");
    std::cout << kDone;
}

void Apply(const RegFileChange& change, std::optional<RegistryKey>& current) {
    using Kind = RegFileChange::Kind;
    switch (change.kind) {
        case Kind::CreateKey:
            current = RegistryKey::Create(change.key);
            return;
        case Kind::DeleteKey: {
            current.reset();
            LSTATUS status = RegDeleteTreeA(change.key.root, change.key.subkey.c_str());
            if (status != ERROR_FILE_NOT_FOUND) CheckStatus(status);
            return;
        }
        case Kind::SetValue:
            CheckStatus(RegSetValueExA(current->handle(), change.name.c_str(), 0, change.type,
                                       reinterpret_cast<const BYTE*>(change.data.data()),
                                       static_cast<DWORD>(change.data.size())));
            return;
        case Kind::DeleteValue: {
            LSTATUS status = RegDeleteValueA(current->handle(), change.name.c_str());
            if (status != ERROR_FILE_NOT_FOUND) CheckStatus(status);
            return;
        }
    }
}

void Import(const CommandLine& command) {
    const std::string& file = command.operands[0];
    std::ifstream in(file, std::ios::binary);
    if (!in) throw ToolError("Cannot open " + file + ".");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<RegFileChange> changes;
    try {
        changes = ParseRegFile(bytes);
    } catch (const ToolError& error) {
        throw ToolError(file + ": " + error.what());
    }
    // All or nothing: a change the registry refuses (a name too long, say) undoes those before it.
    CheckStatus(registry::RunAllOrNothing([&] {
        std::optional<RegistryKey> current;
        for (const RegFileChange& change : changes) {
            try {
                Apply(change, current);
            } catch (const ToolError& error) {
                throw ToolError(file + ": line " + std::to_string(change.line) + ": " + error.what());
            }
        }
    }));
    std::cout << kDone;
}

}  // namespace

void RunCommand(const CommandLine& command) {
    if (command.verb == "query") Query(command);
    if (command.verb == "add") Add(command);
    if (command.verb == "delete") Delete(command);
    if (command.verb == "export") Export(command);
    if (command.verb == "import") Import(command);
}

}  // namespace regtool
