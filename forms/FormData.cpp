#include "forms/FormData.h"

#include <cctype>

#include "forms/Controls.h"
#include "forms/Exceptions.h"
#include "forms/Form.h"
#include "forms/PackedResource.h"

namespace {

[[noreturn]] void Fail(int line, const std::string &what) {
    throw EToolkitError("Form data line " + std::to_string(line) + ": " + what);
}

// Splits a line into words. A word is a run of non-blank characters, where
// a "quoted text" counts as one piece ("" inside it is one quote).
std::vector<std::string> Words(const std::string &line, int number, std::vector<bool> &quoted) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
            i++;
        if (i >= line.size() || line[i] == '#')
            break;
        std::string word;
        bool isQuoted = false;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) {
            if (line[i] == '"') {
                isQuoted = true;
                i++;
                for (;;) {
                    if (i >= line.size())
                        Fail(number, "unterminated text");
                    if (line[i] == '"') {
                        if (i + 1 < line.size() && line[i + 1] == '"') {
                            word += '"';
                            i += 2;
                            continue;
                        }
                        i++;
                        break;
                    }
                    word += line[i++];
                }
            } else {
                word += line[i++];
            }
        }
        words.push_back(word);
        quoted.push_back(isQuoted);
    }
    return words;
}

int Number(const std::string &word, int line) {
    char *end = nullptr;
    long value = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end)
        Fail(line, "number expected, found '" + word + "'");
    return static_cast<int>(value);
}

} // namespace

namespace {

// Hands out the lines of a text one by one, without their line ends.
class TLineReader {
  public:
    explicit TLineReader(const std::string &text) : Text(text) {}
    bool Next(std::string &line) {
        if (Position >= Text.size())
            return false;
        size_t end = Text.find('\n', Position);
        if (end == std::string::npos)
            end = Text.size();
        line.assign(Text, Position, end - Position);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        Position = end + 1;
        return true;
    }

  private:
    const std::string &Text;
    size_t Position = 0;
};

} // namespace

TFormData ParseFormData(const std::string &source) {
    TFormData data;
    TLineReader in(source);
    std::string line;
    int number = 0;
    while (in.Next(line)) {
        number++;
        std::vector<bool> quoted;
        std::vector<std::string> words = Words(line, number, quoted);
        if (words.empty())
            continue;
        if (words[0] == "text") {
            if (words.size() != 4 || words[3].compare(0, 2, "<<") != 0)
                Fail(number, "text NAME PROPERTY <<MARK expected");
            TFormDataText text{words[1], words[2], ""};
            std::string mark = words[3].substr(2);
            bool first = true, closed = false;
            while (in.Next(line)) {
                number++;
                if (line == mark) {
                    closed = true;
                    break;
                }
                if (!first)
                    text.Value += "\r\n";
                text.Value += line;
                first = false;
            }
            if (!closed)
                Fail(number, "text block without its end mark " + mark);
            data.Texts.push_back(text);
            continue;
        }
        // kind name [class] "text" left top width height attributes...
        TFormDataLine entry;
        entry.LineNumber = number;
        size_t i = 0;
        entry.Kind = words[i++];
        if (i >= words.size())
            Fail(number, "name expected");
        entry.Name = words[i++];
        if (entry.Kind == "form") {
            if (i >= words.size())
                Fail(number, "class name expected");
            entry.Attributes.emplace_back("class", words[i++]);
        }
        if (i >= words.size() || !quoted[i])
            Fail(number, "quoted text expected");
        entry.Text = words[i++];
        if (i + 4 > words.size())
            Fail(number, "left top width height expected");
        entry.Left = Number(words[i++], number);
        entry.Top = Number(words[i++], number);
        entry.Width = Number(words[i++], number);
        entry.Height = Number(words[i++], number);
        for (; i < words.size(); i++) {
            size_t eq = words[i].find('=');
            if (eq == std::string::npos)
                entry.Attributes.emplace_back(words[i], "");
            else
                entry.Attributes.emplace_back(words[i].substr(0, eq), words[i].substr(eq + 1));
        }
        data.Lines.push_back(entry);
    }
    if (data.Lines.empty() || data.Lines[0].Kind != "form")
        Fail(1, "the form's own line must come first");
    return data;
}

namespace {

template <class T> TControl *Make(TForm &form) {
    return new T(&form);
}
template <TShapeType Shape> TControl *MakeShape(TForm &form) {
    return new TShape(&form, Shape);
}

// The toolkit's kinds of control, by their form-data names.
const struct {
    const char *Kind;
    TControl *(*Create)(TForm &form);
} ControlKinds[] = {
    {"label", Make<TLabel>},
    {"rectangle", MakeShape<stRectangle>},
    {"ellipse", MakeShape<stEllipse>},
    {"roundrect", MakeShape<stRoundRect>},
    {"roundsquare", MakeShape<stRoundSquare>},
    {"button", Make<TButton>},
    {"checkbox", Make<TCheckBox>},
    {"edit", Make<TEdit>},
    {"groupbox", Make<TGroupBox>},
    {"panel", Make<TPanel>},
    {"image", Make<TImage>},
    {"scrollbox", Make<TScrollBox>},
    {"drivelist", Make<TDriveComboBox>},
    {"dirlist", Make<TDirectoryListBox>},
};

TControl *CreateControl(TForm &form, const std::string &kind) {
    for (const auto &row : ControlKinds)
        if (kind == row.Kind)
            return row.Create(form);
    return form.CreateCustomControl(kind);
}

void SetEvent(TForm &form, TControl &control, const std::string &key, const std::string &handler) {
    if (key == "onclick")
        control.OnClick = form.NotifyHandler(handler);
    else if (key == "onkeyup")
        control.OnKeyUp = form.KeyHandler(handler);
    else if (!control.SetEvent(key, form.NotifyHandler(handler)))
        throw EToolkitError("Control " + control.Name + " has no event " + key);
}

void Apply(TForm &form, TControl &control, const TFormDataLine &line) {
    try {
        for (const auto &a : line.Attributes) {
            if (a.first == "parent" || a.first == "class")
                continue;
            if (a.first.compare(0, 2, "on") == 0 && &control != &form) {
                SetEvent(form, control, a.first, a.second);
                continue;
            }
            if (!control.SetAttribute(a.first, a.second))
                throw EToolkitError("unknown attribute " + a.first + "=" + a.second);
        }
    } catch (const EToolkitError &e) {
        Fail(line.LineNumber, e.what());
    }
}

} // namespace

void LoadFormData(TForm &form, const std::string &resourceName) {
    std::string text;
    if (!UnpackResource(resourceName.c_str(), "FORMDATA", text))
        throw EToolkitError("Resource " + resourceName + " not found");
    TFormData data = ParseFormData(text);

    const TFormDataLine &own = data.Lines[0];
    form.Name = own.Name;
    form.ClassName = own.Attributes[0].second;
    form.SetCaption(own.Text);
    form.SetBounds(own.Left, own.Top, own.Width, own.Height);
    Apply(form, form, own);

    for (size_t i = 1; i < data.Lines.size(); i++) {
        const TFormDataLine &line = data.Lines[i];
        TControl *control = CreateControl(form, line.Kind);
        form.AddComponent(control);
        control->Name = line.Name;
        TWinControl *parent = &form;
        for (const auto &a : line.Attributes)
            if (a.first == "parent")
                parent = form.Find<TWinControl>(a.second);
        control->SetParent(parent);
        control->SetBounds(line.Left, line.Top, line.Width, line.Height);
        control->SetCaption(line.Text);
        Apply(form, *control, line);
    }
    for (const TFormDataText &text : data.Texts) {
        TControl *control = form.Find<TControl>(text.Name);
        if (!control->SetAttribute(text.Property, text.Value))
            throw EToolkitError("Control " + text.Name + " has no text property " + text.Property);
    }
    // The window and those of the controls exist from here on.
    form.HandleNeeded();
    for (size_t i = 1; i < data.Lines.size(); i++)
        if (auto *control = dynamic_cast<TWinControl *>(form.Find<TControl>(data.Lines[i].Name)))
            control->HandleNeeded();
    for (size_t i = 1; i < data.Lines.size(); i++)
        form.Find<TControl>(data.Lines[i].Name)->Loaded();
}
