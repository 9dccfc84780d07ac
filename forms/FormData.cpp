#include "forms/FormData.h"

#include <cctype>

#include "forms/Controls.h"
#include "forms/Errors.h"
#include "forms/Form.h"
#include "forms/PackedResource.h"

namespace {

// Raises a fault of the form data at that line; false.
bool Fail(int line, const std::string &what) {
    return Raise("Form data line " + std::to_string(line) + ": " + what);
}

// Splits a line into words. A word is a run of non-blank characters, where
// a "quoted text" counts as one piece ("" inside it is one quote).
bool Words(const std::string &line, int number, std::vector<std::string> &words, std::vector<bool> &quoted) {
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
                        return Fail(number, "unterminated text");
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
    return true;
}

bool Number(const std::string &word, int line, int &value) {
    char *end = nullptr;
    long number = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end)
        return Fail(line, "number expected, found '" + word + "'");
    value = static_cast<int>(number);
    return true;
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

bool ParseFormData(const std::string &source, TFormData &data) {
    TLineReader in(source);
    std::string line;
    int number = 0;
    while (in.Next(line)) {
        number++;
        std::vector<std::string> words;
        std::vector<bool> quoted;
        if (!Words(line, number, words, quoted))
            return false;
        if (words.empty())
            continue;
        if (words[0] == "text") {
            if (words.size() != 4 || words[3].compare(0, 2, "<<") != 0)
                return Fail(number, "text NAME PROPERTY <<MARK expected");
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
                return Fail(number, "text block without its end mark " + mark);
            data.Texts.push_back(text);
            continue;
        }
        // kind name [class] "text" left top width height attributes...
        TFormDataLine entry;
        entry.LineNumber = number;
        size_t i = 0;
        entry.Kind = words[i++];
        if (i >= words.size())
            return Fail(number, "name expected");
        entry.Name = words[i++];
        if (entry.Kind == "form") {
            if (i >= words.size())
                return Fail(number, "class name expected");
            entry.Attributes.emplace_back("class", words[i++]);
        }
        if (i >= words.size() || !quoted[i])
            return Fail(number, "quoted text expected");
        entry.Text = words[i++];
        if (i + 4 > words.size())
            return Fail(number, "left top width height expected");
        int *bounds[] = {&entry.Left, &entry.Top, &entry.Width, &entry.Height};
        for (int *bound : bounds)
            if (!Number(words[i++], number, *bound))
                return false;
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
        return Fail(1, "the form's own line must come first");
    return true;
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

// Binds an event attribute to the page's handler; false when it raised an
// error (a missing handler, or an event that the control lacks).
bool SetEvent(TForm &form, TControl &control, const std::string &key, const std::string &handler) {
    if (key == "onclick")
        control.OnClick = form.NotifyHandler(handler);
    else if (key == "onkeyup")
        control.OnKeyUp = form.KeyHandler(handler);
    else if (TNotifyEvent event = form.NotifyHandler(handler); event && !control.SetEvent(key, event))
        return Raise("Control " + control.Name + " has no event " + key);
    return !Raised();
}

// Sets the line's attributes on the control. An error that one raises is
// raised again with the line's number in front.
bool Apply(TForm &form, TControl &control, const TFormDataLine &line) {
    for (const auto &a : line.Attributes) {
        if (a.first == "parent" || a.first == "class")
            continue;
        bool applied = a.first.compare(0, 2, "on") == 0 && &control != &form
                           ? SetEvent(form, control, a.first, a.second)
                           : control.SetAttribute(a.first, a.second) ||
                                 Raise("unknown attribute " + a.first + "=" + a.second);
        if (!applied || Raised())
            return Fail(line.LineNumber, TakeRaised());
    }
    return true;
}

} // namespace

bool LoadFormData(TForm &form, const std::string &resourceName) {
    std::string text;
    if (!UnpackResource(resourceName.c_str(), "FORMDATA", text))
        return Raise("Resource " + resourceName + " not found");
    TFormData data;
    if (!ParseFormData(text, data))
        return false;

    const TFormDataLine &own = data.Lines[0];
    form.Name = own.Name;
    form.ClassName = own.Attributes[0].second;
    form.SetCaption(own.Text);
    form.SetBounds(own.Left, own.Top, own.Width, own.Height);
    if (!Apply(form, form, own))
        return false;

    for (size_t i = 1; i < data.Lines.size(); i++) {
        const TFormDataLine &line = data.Lines[i];
        // A control may already raise while it is made (the licence text
        // makes the page's window to take its size).
        TControl *control = CreateControl(form, line.Kind);
        if (!control)
            return false;
        form.AddComponent(control);
        if (Raised())
            return false;
        control->Name = line.Name;
        TWinControl *parent = &form;
        for (const auto &a : line.Attributes)
            if (a.first == "parent" && !(parent = form.Find<TWinControl>(a.second)))
                return false;
        control->SetParent(parent);
        control->SetBounds(line.Left, line.Top, line.Width, line.Height);
        control->SetCaption(line.Text);
        if (!Apply(form, *control, line))
            return false;
    }
    for (const TFormDataText &text : data.Texts) {
        TControl *control = form.Find<TControl>(text.Name);
        if (!control)
            return false;
        if (!control->SetAttribute(text.Property, text.Value))
            return Raise("Control " + text.Name + " has no text property " + text.Property);
    }
    // The window and those of the controls exist from here on.
    if (!form.HandleNeeded())
        return false;
    for (size_t i = 1; i < data.Lines.size(); i++) {
        TControl *control = form.Find<TControl>(data.Lines[i].Name);
        if (control->IsWindowed() && !static_cast<TWinControl *>(control)->HandleNeeded())
            return false;
    }
    for (size_t i = 1; i < data.Lines.size(); i++)
        if (!form.Find<TControl>(data.Lines[i].Name)->Loaded())
            return false;
    return true;
}
