#include "vcl/FormResource.h"

#include <cctype>

namespace {

enum class TToken { End, Identifier, Integer, String, Symbol };

struct TLexeme {
    TToken Kind = TToken::End;
    AnsiString Text;    // the identifier, the digits, the unescaped string, the symbol
    int Line = 1;
    size_t Begin = 0;   // offset of the lexeme in the text
};

// Reads a form resource: one component, its properties and the components
// it holds. Errors name the line.
class TParser {
public:
    explicit TParser(const AnsiString& AText) : Text(AText) { Next(); }

    TResourceComponent ParseResource()
    {
        TResourceComponent Root = ParseComponent();
        if (Current.Kind != TToken::End)
            Fail(Current.Line, "one form per resource: unexpected " + Describe(Current));
        return Root;
    }

    std::vector<TStoredProperty> ParseAssignments()
    {
        std::vector<TStoredProperty> Result;
        while (Current.Kind != TToken::End) {
            if (IsSymbol(";")) {
                Next();
                continue;
            }
            Result.push_back(ParseAssignment().Property);
        }
        return Result;
    }

private:
    [[noreturn]] static void Fail(int Line, const AnsiString& Message)
    {
        AnsiString Text = "Form resource line ";
        Text += std::to_string(Line);
        Text += ": ";
        Text += Message;
        throw EReadError(Text);
    }

    static AnsiString Describe(const TLexeme& L)
    {
        switch (L.Kind) {
        case TToken::End: return "end of resource";
        case TToken::String: return "string \"" + L.Text + "\"";
        default: return "'" + L.Text + "'";
        }
    }

    bool IsSymbol(const char* S) const { return Current.Kind == TToken::Symbol && Current.Text == S; }

    void Expect(const char* S, const AnsiString& Where)
    {
        if (!IsSymbol(S))
            Fail(Current.Line, "expected '" + AnsiString(S) + "' " + Where + ", found " + Describe(Current));
        Next();
    }

    AnsiString ExpectIdentifier(const AnsiString& What)
    {
        if (Current.Kind != TToken::Identifier)
            Fail(Current.Line, "expected " + What + ", found " + Describe(Current));
        AnsiString Result = Current.Text;
        Next();
        return Result;
    }

    TResourceComponent ParseComponent()
    {
        TResourceComponent Node;
        Node.Line = Current.Line;
        Node.ClassName = ExpectIdentifier("a class name");
        Node.Name = ExpectIdentifier("the name of the " + Node.ClassName);
        Expect("{", "after " + Node.ClassName + " " + Node.Name);
        for (;;) {
            if (IsSymbol("}")) {
                Next();
                return Node;
            }
            if (IsSymbol(";")) {
                Next();
                continue;
            }
            if (Current.Kind == TToken::End)
                Fail(Current.Line, "missing '}' of " + Node.Name);
            if (Current.Kind != TToken::Identifier)
                Fail(Current.Line, "expected a property or a component, found " + Describe(Current));
            // "Name =" or "Name.Sub =" is a property; "Class Name {" a component.
            if (PeekIsComponent())
                Node.Children.push_back(ParseComponent());
            else
                Node.Properties.push_back(ParseAssignment());
        }
    }

    bool PeekIsComponent()
    {
        TParser Ahead = *this;
        Ahead.Next();
        return Ahead.Current.Kind == TToken::Identifier;
    }

    TResourceProperty ParseAssignment()
    {
        TResourceProperty Result;
        Result.Line = Current.Line;
        AnsiString Name = ExpectIdentifier("a property name");
        while (IsSymbol(".")) {
            Next();
            Name += '.';
            Name += ExpectIdentifier("a property name after '.'");
        }
        Expect("=", "after " + Name);
        Result.Property.Name = Name;
        Result.Property.Value = ParseValue(Name);
        return Result;
    }

    TStoredValue ParseValue(const AnsiString& Name)
    {
        TStoredValue Value;
        switch (Current.Kind) {
        case TToken::Identifier:
        case TToken::Integer:
        case TToken::String:
            Value.Text = Current.Text;
            Next();
            return Value;
        case TToken::Symbol:
            if (IsSymbol("["))
                return ParseList(Name);
            if (IsSymbol("<"))
                return ParseCollection(Name);
            break;
        case TToken::End:
            break;
        }
        Fail(Current.Line, "expected a value for " + Name + ", found " + Describe(Current));
    }

    TStoredValue ParseList(const AnsiString& Name)
    {
        TStoredValue Value;
        Value.Text.push_back('[');
        Next();
        while (!IsSymbol("]")) {
            if (Current.Kind != TToken::Identifier && Current.Kind != TToken::Integer &&
                Current.Kind != TToken::String)
                Fail(Current.Line, "expected an element of " + Name + ", found " + Describe(Current));
            if (!Value.Items.empty())
                Value.Text += ", ";
            if (Current.Kind == TToken::String)
                Value.Text.append(1, '"').append(Current.Text).append(1, '"');
            else
                Value.Text += Current.Text;
            Value.Items.push_back(Current.Text);
            Next();
            if (IsSymbol(","))
                Next();
            else if (!IsSymbol("]"))
                Fail(Current.Line, "expected ',' or ']' in " + Name + ", found " + Describe(Current));
        }
        Next();
        Value.Text += "]";
        return Value;
    }

    // Each item is kept as its own text, padded with line feeds so that a
    // second parse reports the lines of the resource.
    TStoredValue ParseCollection(const AnsiString& Name)
    {
        TStoredValue Value;
        Value.Text.push_back('<');
        Next();
        while (!IsSymbol(">")) {
            if (!IsSymbol("{"))
                Fail(Current.Line, "expected '{' of an item of " + Name + ", found " + Describe(Current));
            int Line = Current.Line;
            size_t Begin = Current.Begin + 1;
            Next();
            while (!IsSymbol("}")) {
                if (Current.Kind == TToken::End)
                    Fail(Line, "missing '}' of an item of " + Name);
                if (IsSymbol(";"))
                    Next();
                else
                    ParseAssignment();
            }
            Value.Items.push_back(AnsiString(static_cast<size_t>(Line - 1), '\n') +
                                  Text.substr(Begin, Current.Begin - Begin));
            Next();
        }
        Next();
        Value.Text += ">";
        return Value;
    }

    void Next()
    {
        SkipBlanks();
        Current = TLexeme();
        Current.Line = Line;
        Current.Begin = Pos;
        if (Pos >= Text.size())
            return;
        char C = Text[Pos];
        if (std::isalpha(static_cast<unsigned char>(C)) || C == '_') {
            size_t Start = Pos;
            while (Pos < Text.size() && (std::isalnum(static_cast<unsigned char>(Text[Pos])) || Text[Pos] == '_'))
                ++Pos;
            Current.Kind = TToken::Identifier;
            Current.Text = Text.substr(Start, Pos - Start);
            return;
        }
        if (std::isdigit(static_cast<unsigned char>(C)) || C == '$' || C == '-' || C == '+') {
            size_t Start = Pos++;
            while (Pos < Text.size() && (std::isalnum(static_cast<unsigned char>(Text[Pos])) || Text[Pos] == '$'))
                ++Pos;
            Current.Kind = TToken::Integer;
            Current.Text = Text.substr(Start, Pos - Start);
            if (Current.Text.size() == 1 && !std::isdigit(static_cast<unsigned char>(C)))
                Fail(Line, "a number expected after '" + Current.Text + "'");
            return;
        }
        if (C == '"') {
            ReadString();
            return;
        }
        if (AnsiString("{}[]<>=,;.").find(C) != AnsiString::npos) {
            Current.Kind = TToken::Symbol;
            Current.Text = AnsiString(1, C);
            ++Pos;
            return;
        }
        Fail(Line, "unexpected character '" + AnsiString(1, C) + "'");
    }

    void ReadString()
    {
        int StartLine = Line;
        ++Pos;
        AnsiString Value;
        for (;;) {
            if (Pos >= Text.size() || Text[Pos] == '\n')
                Fail(StartLine, "string not closed on its line");
            char C = Text[Pos++];
            if (C == '"')
                break;
            if (C != '\\') {
                Value += C;
                continue;
            }
            char E = Pos < Text.size() ? Text[Pos++] : '\0';
            switch (E) {
            case 'n': Value += '\n'; break;
            case 't': Value += '\t'; break;
            case '"': Value += '"'; break;
            case '\\': Value += '\\'; break;
            default: Fail(StartLine, "unknown escape '\\" + AnsiString(1, E) + "' in a string");
            }
        }
        Current.Kind = TToken::String;
        Current.Text = std::move(Value);
    }

    void SkipBlanks()
    {
        while (Pos < Text.size()) {
            char C = Text[Pos];
            if (C == '\n') {
                ++Line;
                ++Pos;
            } else if (C == ' ' || C == '\t' || C == '\r') {
                ++Pos;
            } else if (C == '/' && Pos + 1 < Text.size() && Text[Pos + 1] == '/') {
                while (Pos < Text.size() && Text[Pos] != '\n')
                    ++Pos;
            } else {
                break;
            }
        }
    }

    const AnsiString& Text;
    size_t Pos = 0;
    int Line = 1;
    TLexeme Current;
};

} // namespace

std::vector<TStoredProperty> TResourceComponent::StoredProperties() const
{
    std::vector<TStoredProperty> Result;
    Result.reserve(Properties.size());
    for (const TResourceProperty& P : Properties)
        Result.push_back(P.Property);
    return Result;
}

TResourceComponent ParseFormResource(const AnsiString& Text)
{
    return TParser(Text).ParseResource();
}

std::vector<std::vector<TStoredProperty>> ParseCollectionItems(const TStoredValue& Value)
{
    if (Value.Text.empty() || Value.Text.front() != '<')
        throw EReadError("Invalid property value '" + Value.Text + "'");
    std::vector<std::vector<TStoredProperty>> Result;
    for (const AnsiString& Item : Value.Items)
        Result.push_back(TParser(Item).ParseAssignments());
    return Result;
}
