// The standard controls: labels, edits, memos, buttons, check and radio boxes,
// group boxes, panels, images, image lists, list boxes, combo boxes and pages.
#include "platform/kit/kit_private.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <algorithm>

namespace kit {

using namespace detail;

namespace {

// CR LF, CR and LF all end a line.
std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    lines.push_back(line);
    return lines;
}

std::string expand_tabs(const std::string& line) {
    std::string out;
    for (char c : line) {
        if (c == '\t') {
            do out += ' ';
            while (out.size() % 8 != 0);
        } else {
            out += c;
        }
    }
    return out;
}

// A label's text for display: line breaks as new lines, TABs expanded.
QString label_text(const std::string& caption) {
    const auto lines = split_lines(caption);
    QString out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) out += '\n';
        out += qt(expand_tabs(lines[i]));
    }
    return out;
}

template <typename W>
W* as(const QPointer<QWidget>& w) {
    return static_cast<W*>(w.data());
}

// A group box or panel whose client origin is its top-left corner.
class ImageWidget : public QWidget {
public:
    explicit ImageWidget(Bitmap* picture) : picture_(picture) {}
    Bitmap* picture_;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (!picture_->empty()) p.drawImage(0, 0, picture_->image());
    }
};

}  // namespace

// ---------------------------------------------------------------- Label

Label::Label(Control& parent, const std::string& caption) : Control(&parent, new QLabel) {
    auto* l = as<QLabel>(widget_);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setTextFormat(Qt::PlainText);
    set_caption(caption);
}

void Label::set_caption(const std::string& caption) {
    caption_ = caption;
    as<QLabel>(widget_)->setText(label_text(caption));
    fit();
}

void Label::set_auto_size(bool auto_size) {
    auto_size_ = auto_size;
    fit();
}

void Label::set_word_wrap(bool wrap) { as<QLabel>(widget_)->setWordWrap(wrap); }

void Label::fit() {
    if (auto_size_ && widget_) widget_->resize(widget_->sizeHint());
}

// ---------------------------------------------------------------- Edit

namespace {
// A field narrower than its text shows the text's start whenever nobody is
// typing in it: a number then shows its leading digits (and its sign), never
// only its last ones. Qt leaves the cursor, and so the view, at the end.
class EditWidget : public QLineEdit {
public:
    void show_start() {
        if (!hasFocus()) setCursorPosition(0);
    }

protected:
    void focusOutEvent(QFocusEvent* e) override {
        QLineEdit::focusOutEvent(e);
        // A popup (the context menu) comes back to the same place.
        if (e->reason() != Qt::PopupFocusReason) setCursorPosition(0);
    }
};
}  // namespace

Edit::Edit(Control& parent, const std::string& text) : Control(&parent, new EditWidget) {
    auto* e = as<EditWidget>(widget_);
    e->setText(qt(text));
    e->show_start();
    e->resize(121, 21);
    QObject::connect(e, &QLineEdit::textEdited, [this] { fire(on_change); });
}

std::string Edit::text() const { return model(as<QLineEdit>(widget_)->text()); }
void Edit::set_text(const std::string& text) {
    auto* e = as<EditWidget>(widget_);
    e->setText(qt(text));
    e->show_start();
}
void Edit::set_read_only(bool read_only) { as<QLineEdit>(widget_)->setReadOnly(read_only); }

// ---------------------------------------------------------------- Memo

namespace {
class MemoWidget : public QPlainTextEdit {
public:
    bool setting = false;
};
}  // namespace

Memo::Memo(Control& parent, const std::string& text) : Control(&parent, new MemoWidget) {
    auto* m = as<MemoWidget>(widget_);
    route(m->viewport(), this);
    m->resize(185, 89);
    set_text(text);
    QObject::connect(m, &QPlainTextEdit::textChanged, [this, m] {
        if (!m->setting) fire(on_change);
    });
}

std::string Memo::text() const {
    const auto l = lines();
    std::string out;
    for (size_t i = 0; i < l.size(); ++i) {
        if (i) out += "\r\n";
        out += l[i];
    }
    return out;
}

void Memo::set_text(const std::string& text) {
    if (text.empty()) {
        set_lines({});
        return;
    }
    set_lines(split_lines(text));
}

std::vector<std::string> Memo::lines() const {
    auto* m = as<MemoWidget>(widget_);
    std::vector<std::string> out;
    if (m->document()->isEmpty()) return out;
    for (QTextBlock b = m->document()->begin(); b.isValid(); b = b.next()) out.push_back(model(b.text()));
    return out;
}

void Memo::set_lines(const std::vector<std::string>& lines) {
    auto* m = as<MemoWidget>(widget_);
    QStringList l;
    for (const auto& s : lines) l << qt(s);
    m->setting = true;
    m->setPlainText(l.join('\n'));
    m->setting = false;
}

int Memo::line_count() const { return static_cast<int>(lines().size()); }
void Memo::clear() { set_lines({}); }

// ---------------------------------------------------------------- Button

Button::Button(Control& parent, const std::string& caption) : Control(&parent, new QPushButton) {
    auto* b = as<QPushButton>(widget_);
    b->setText(qt(caption));
    b->resize(75, 25);
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, [this] { fire(on_click); });
}
std::string Button::caption() const { return model(as<QPushButton>(widget_)->text()); }
void Button::set_caption(const std::string& caption) { as<QPushButton>(widget_)->setText(qt(caption)); }

// ---------------------------------------------------------------- CheckBox

namespace {
// The whole control takes the click, not only the box and its caption.
class CheckWidget : public QCheckBox {
protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
class RadioWidget : public QRadioButton {
protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
}  // namespace

CheckBox::CheckBox(Control& parent, const std::string& caption, bool checked)
    : Control(&parent, new CheckWidget) {
    auto* c = as<QCheckBox>(widget_);
    c->setText(qt(caption));
    c->setChecked(checked);
    c->resize(97, 17);
    QObject::connect(c, &QCheckBox::clicked, [this] { fire(on_click); });
}
std::string CheckBox::caption() const { return model(as<QCheckBox>(widget_)->text()); }
void CheckBox::set_caption(const std::string& caption) { as<QCheckBox>(widget_)->setText(qt(caption)); }
bool CheckBox::checked() const { return as<QCheckBox>(widget_)->isChecked(); }
void CheckBox::set_checked(bool checked) { as<QCheckBox>(widget_)->setChecked(checked); }

// ---------------------------------------------------------------- RadioButton

RadioButton::RadioButton(Control& parent, const std::string& caption, bool checked)
    : Control(&parent, new RadioWidget) {
    auto* r = as<QRadioButton>(widget_);
    r->setText(qt(caption));
    r->resize(113, 17);
    set_checked(checked);
    QObject::connect(r, &QRadioButton::clicked, [this] { fire(on_click); });
}
std::string RadioButton::caption() const { return model(as<QRadioButton>(widget_)->text()); }
void RadioButton::set_caption(const std::string& caption) {
    as<QRadioButton>(widget_)->setText(qt(caption));
}
bool RadioButton::checked() const { return as<QRadioButton>(widget_)->isChecked(); }
void RadioButton::set_checked(bool checked) {
    auto* r = as<QRadioButton>(widget_);
    if (checked) {
        r->setChecked(true);  // auto-exclusive: the siblings go off
    } else {
        // An exclusive button cannot be switched off alone.
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
    }
}

// ---------------------------------------------------------------- GroupBox, Panel

GroupBox::GroupBox(Control& parent, const std::string& caption) : Control(&parent, new QGroupBox) {
    as<QGroupBox>(widget_)->setTitle(qt(caption));
    widget_->resize(185, 105);
}
std::string GroupBox::caption() const { return model(as<QGroupBox>(widget_)->title()); }
void GroupBox::set_caption(const std::string& caption) { as<QGroupBox>(widget_)->setTitle(qt(caption)); }
QWidget* GroupBox::container() const { return widget_; }

Panel::Panel(Control& parent) : Control(&parent, new QWidget) { widget_->resize(185, 41); }
QWidget* Panel::container() const { return widget_; }

// ---------------------------------------------------------------- Image

Image::Image(Control& parent) : Control(&parent, new ImageWidget(&picture_)) {
    widget_->resize(105, 105);
}

Bitmap& Image::picture() {
    // The picture starts white at the control's size and grows with it.
    const int w = std::max(picture_.width(), width());
    const int h = std::max(picture_.height(), height());
    if (w != picture_.width() || h != picture_.height()) {
        const int ow = picture_.width(), oh = picture_.height();
        picture_.set_size(w, h);
        Canvas& c = picture_.canvas();
        const TColor brush = c.brush_color;
        c.brush_color = clWhite;
        c.fill_rect(ow, 0, w, h);
        c.fill_rect(0, oh, ow, h);
        c.brush_color = brush;
    }
    return picture_;
}

Canvas& Image::canvas() {
    invalidate();
    return picture().canvas();
}

void Image::draw(int x, int y, const Bitmap& bitmap) {
    canvas().draw(x, y, bitmap);
}

void Image::refresh() {
    if (widget_) widget_->repaint();
}
void Image::invalidate() {
    if (widget_) widget_->update();
}

// ---------------------------------------------------------------- ImageList

ImageList::ImageList(int width, int height) : width_(std::max(1, width)), height_(std::max(1, height)) {}

void ImageList::set_size(int width, int height) {
    width_ = std::max(1, width);
    height_ = std::max(1, height);
    clear();
}

void ImageList::clear() { images_.clear(); }

int ImageList::add(const Bitmap& bitmap) {
    Bitmap b(width_, height_);
    b.canvas().brush_color = clWhite;
    b.canvas().fill_rect(0, 0, width_, height_);
    bit_blt(b, 0, 0, width_, height_, bitmap, 0, 0);
    images_.push_back(std::move(b));
    return count() - 1;
}

const Bitmap* ImageList::get(int index) const {
    if (index < 0 || index >= count()) return nullptr;
    return &images_[static_cast<size_t>(index)];
}

// ---------------------------------------------------------------- ListBox

namespace {
// The view moves its current line before it selects it, so a pick by the mouse
// is reported once the view has handled the mouse event: the click handler
// reads the line picked.
class ListWidget : public QListWidget {
public:
    explicit ListWidget(ListBox* box) : box_(box) {}
    bool setting = false;
    bool in_mouse = false;  // the view is handling a mouse event
    bool moved = false;     // the current line moved in it
    int current = -1;       // the current line as last reported by the view

protected:
    void mousePressEvent(QMouseEvent* e) override {
        // Every left click is a pick, also of the line already selected. Below
        // the last line the view settles the selection on release: the pick waits.
        const bool left = e->button() == Qt::LeftButton;
        const bool on_line = indexAt(e->position().toPoint()).isValid();
        pick_on_release_ = left && !on_line;
        handle_mouse([&] { QListWidget::mousePressEvent(e); }, left && on_line);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        handle_mouse([&] { QListWidget::mouseMoveEvent(e); }, false);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const bool pick = pick_on_release_ && e->button() == Qt::LeftButton;
        pick_on_release_ = false;
        handle_mouse([&] { QListWidget::mouseReleaseEvent(e); }, pick);
    }

private:
    // The view's own handling, then one pick when the current line moved in
    // it or the event is a pick of its own.
    template <typename F>
    void handle_mouse(F handle, bool pick) {
        in_mouse = true;
        moved = false;
        handle();
        in_mouse = false;
        if (!pick && !moved) return;
        pick_on_release_ = false;
        fire(box_->on_click);
    }
    ListBox* box_;
    bool pick_on_release_ = false;
};
}  // namespace

ListBox::ListBox(Control& parent) : Control(&parent, new ListWidget(this)) {
    auto* l = as<ListWidget>(widget_);
    route(l->viewport(), this);
    l->resize(121, 97);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every line is one line of text: the view need not measure each of them.
    l->setUniformItemSizes(true);
    QObject::connect(l, &QListWidget::currentRowChanged, [this, l](int row) {
        l->current = row;
        if (l->setting) return;
        if (l->in_mouse)
            l->moved = true;
        else
            fire(on_click);  // keys select the line together with moving to it
    });
    // The focus puts the current line on the first line without selecting it;
    // Space then selects it without moving. That is a pick as well: the
    // handler must see every line that becomes selected, or what it shows for
    // the selection is another line's.
    QObject::connect(l, &QListWidget::itemSelectionChanged, [this, l] {
        if (l->setting || l->in_mouse) return;
        const int r = l->currentRow();
        if (r >= 0 && r == l->current && l->item(r)->isSelected()) fire(on_click);
    });
}

void ListBox::clear() {
    auto* l = as<ListWidget>(widget_);
    l->setting = true;
    l->clear();
    l->setting = false;
}

void ListBox::add(const std::string& line) { insert(count(), line); }

void ListBox::set_lines(const std::vector<std::string>& lines) {
    auto* l = as<ListWidget>(widget_);
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) texts.push_back(qt(line));
    l->setting = true;
    l->clear();
    l->addItems(texts);
    l->setting = false;
}

void ListBox::insert(int index, const std::string& line) {
    auto* l = as<ListWidget>(widget_);
    l->setting = true;
    l->insertItem(std::clamp(index, 0, count()), qt(line));
    l->setting = false;
}

void ListBox::remove(int index) {
    if (index < 0 || index >= count()) return;
    auto* l = as<ListWidget>(widget_);
    l->setting = true;
    delete l->takeItem(index);
    l->setting = false;
}

int ListBox::count() const { return as<ListWidget>(widget_)->count(); }

std::string ListBox::item(int index) const {
    if (index < 0 || index >= count()) return {};
    return model(as<ListWidget>(widget_)->item(index)->text());
}

std::vector<std::string> ListBox::items() const {
    std::vector<std::string> out;
    for (int i = 0; i < count(); ++i) out.push_back(item(i));
    return out;
}

int ListBox::item_index() const {
    auto* l = as<ListWidget>(widget_);
    const int r = l->currentRow();
    if (r < 0 || r >= count() || !l->item(r)->isSelected()) return -1;
    return r;
}

void ListBox::set_item_index(int index) {
    auto* l = as<ListWidget>(widget_);
    l->setting = true;
    if (index < 0 || index >= count()) {
        l->setCurrentRow(-1);
        l->clearSelection();
    } else {
        l->setCurrentRow(index);
    }
    l->setting = false;
}

// ---------------------------------------------------------------- ComboBox

namespace {
class ComboWidget : public QComboBox {
public:
    bool setting = false;
    QString design_text;
};
}  // namespace

ComboBox::ComboBox(Control& parent, ComboStyle style) : Control(&parent, new ComboWidget), style_(style) {
    auto* c = as<ComboWidget>(widget_);
    c->resize(145, 21);
    c->setEditable(style == ComboStyle::drop_down);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCurrentIndex(-1);
    if (c->lineEdit()) {
        route(c->lineEdit(), this);
        c->lineEdit()->setCompleter(nullptr);
        QObject::connect(c->lineEdit(), &QLineEdit::textEdited, [this] { fire(on_change); });
    }
    QObject::connect(c, &QComboBox::activated, [this, c](int) {
        if (!c->setting) fire(on_change);
    });
}

void ComboBox::clear() {
    auto* c = as<ComboWidget>(widget_);
    c->setting = true;
    c->clear();
    image_indexes_.clear();
    if (c->isEditable()) c->setEditText(QString());
    c->setting = false;
}

void ComboBox::add(const std::string& item) { add_item(item, -1, -1); }

void ComboBox::add_item(const std::string& item, int image_index, int data) {
    auto* c = as<ComboWidget>(widget_);
    c->setting = true;
    const int keep = c->currentIndex();
    const QString text = c->isEditable() ? c->currentText() : QString();
    c->addItem(qt(item), QVariant(data));
    image_indexes_.push_back(image_index);
    if (images_) {
        if (const Bitmap* b = images_->get(image_index))
            c->setItemIcon(c->count() - 1, QIcon(QPixmap::fromImage(b->image())));
    }
    // Adding selects nothing and leaves a typed text alone.
    c->setCurrentIndex(keep);
    if (c->isEditable() && keep < 0) c->setEditText(text);
    c->setting = false;
}

void ComboBox::insert_item(int index, const std::string& item, int image_index, int data) {
    auto* c = as<ComboWidget>(widget_);
    if (index < 0 || index > c->count()) return;
    c->setting = true;
    const int keep = c->currentIndex();
    const QString text = c->isEditable() ? c->currentText() : QString();
    const Bitmap* b = images_ ? images_->get(image_index) : nullptr;
    c->insertItem(index, b ? QIcon(QPixmap::fromImage(b->image())) : QIcon(), qt(item), QVariant(data));
    image_indexes_.insert(image_indexes_.begin() + index, image_index);
    c->setCurrentIndex(keep >= index ? keep + 1 : keep);
    if (c->isEditable() && keep < 0) c->setEditText(text);
    c->setting = false;
}

void ComboBox::set_item(int index, const std::string& item, int image_index) {
    auto* c = as<ComboWidget>(widget_);
    if (index < 0 || index >= c->count()) return;
    c->setting = true;
    c->setItemText(index, qt(item));
    image_indexes_[static_cast<size_t>(index)] = image_index;
    const Bitmap* b = images_ ? images_->get(image_index) : nullptr;
    c->setItemIcon(index, b ? QIcon(QPixmap::fromImage(b->image())) : QIcon());
    c->setting = false;
}

void ComboBox::remove_item(int index) {
    auto* c = as<ComboWidget>(widget_);
    if (index < 0 || index >= c->count()) return;
    c->setting = true;
    const int keep = c->currentIndex();
    c->removeItem(index);
    image_indexes_.erase(image_indexes_.begin() + index);
    c->setCurrentIndex(keep == index ? -1 : keep > index ? keep - 1 : keep);
    if (c->isEditable() && keep == index) c->setEditText(QString());
    c->setting = false;
}

int ComboBox::count() const { return as<ComboWidget>(widget_)->count(); }

std::string ComboBox::item(int index) const {
    if (index < 0 || index >= count()) return {};
    return model(as<ComboWidget>(widget_)->itemText(index));
}

std::vector<std::string> ComboBox::items() const {
    std::vector<std::string> out;
    for (int i = 0; i < count(); ++i) out.push_back(item(i));
    return out;
}

int ComboBox::item_data(int index) const {
    if (index < 0 || index >= count()) return -1;
    const QVariant v = as<ComboWidget>(widget_)->itemData(index);
    return v.isValid() ? v.toInt() : -1;
}

int ComboBox::item_index() const {
    auto* c = as<ComboWidget>(widget_);
    const int i = c->currentIndex();
    if (!c->isEditable()) return (i >= 0 && i < c->count()) ? i : -1;
    const QString text = c->currentText();
    if (i >= 0 && i < c->count() && c->itemText(i) == text) return i;
    return c->findText(text, Qt::MatchFixedString);
}

void ComboBox::set_item_index(int index) {
    auto* c = as<ComboWidget>(widget_);
    c->setting = true;
    if (index < 0 || index >= c->count()) {
        c->setCurrentIndex(-1);
        if (c->isEditable()) c->setEditText(QString());
    } else {
        c->setCurrentIndex(index);
    }
    c->setting = false;
}

std::string ComboBox::text() const {
    auto* c = as<ComboWidget>(widget_);
    if (c->isEditable()) return model(c->currentText());
    if (c->currentIndex() >= 0) return model(c->currentText());
    return model(c->design_text);
}

void ComboBox::set_text(const std::string& text) {
    auto* c = as<ComboWidget>(widget_);
    c->setting = true;
    if (c->isEditable()) {
        c->setEditText(qt(text));
    } else {
        c->design_text = qt(text);
        c->setPlaceholderText(c->design_text);
    }
    c->setting = false;
}

void ComboBox::set_images(const ImageList* images) {
    images_ = images;
    auto* c = as<ComboWidget>(widget_);
    if (images) c->setIconSize(QSize(images->width(), images->height()));
    for (int i = 0; i < c->count(); ++i) {
        const Bitmap* b = images ? images->get(image_indexes_[static_cast<size_t>(i)]) : nullptr;
        c->setItemIcon(i, b ? QIcon(QPixmap::fromImage(b->image())) : QIcon());
    }
}

void ComboBox::set_item_height(int height) {
    auto* c = as<ComboWidget>(widget_);
    const QSize s = c->iconSize();
    c->setIconSize(QSize(s.width(), std::max(1, height)));
}

void ComboBox::set_drop_down_count(int lines) { as<ComboWidget>(widget_)->setMaxVisibleItems(std::max(1, lines)); }

// ---------------------------------------------------------------- pages

namespace {
class TabWidget : public QTabWidget {
public:
    bool setting = false;
};
}  // namespace

PageControl::PageControl(Control& parent) : Control(&parent, new TabWidget) {
    auto* t = as<TabWidget>(widget_);
    t->resize(289, 193);
    route(t->tabBar(), this);
    QObject::connect(t, &QTabWidget::currentChanged, [this, t](int) {
        if (!t->setting) fire(on_change);
    });
}

int PageControl::page_count() const { return static_cast<int>(pages_.size()); }

TabSheet* PageControl::page(int index) const {
    if (index < 0 || index >= page_count()) return nullptr;
    return pages_[static_cast<size_t>(index)];
}

int PageControl::active_page_index() const { return as<TabWidget>(widget_)->currentIndex(); }


void PageControl::set_active_page_index(int index) {
    if (index < 0 || index >= page_count()) return;
    auto* t = as<TabWidget>(widget_);
    t->setting = true;
    t->setCurrentIndex(index);
    t->setting = false;
}


PageControl::~PageControl() {
    for (TabSheet* page : pages_) page->control_ = nullptr;
}

TabSheet::TabSheet(PageControl& control, const std::string& caption)
    : Control(nullptr, new QWidget), control_(&control) {
    auto* t = static_cast<TabWidget*>(control.widget());
    t->setting = true;
    t->addTab(widget_, qt(caption));
    t->setting = false;
    control.pages_.push_back(this);
    Control::parent_ = &control;
}

TabSheet::~TabSheet() {
    if (!control_) return;
    auto& p = control_->pages_;
    p.erase(std::remove(p.begin(), p.end(), this), p.end());
}

std::string TabSheet::caption() const {
    const int i = page_index();
    return i < 0 ? std::string() : model(static_cast<TabWidget*>(control_->widget())->tabText(i));
}

void TabSheet::set_caption(const std::string& caption) {
    const int i = page_index();
    if (i >= 0) static_cast<TabWidget*>(control_->widget())->setTabText(i, qt(caption));
}

bool TabSheet::tab_visible() const {
    const int i = page_index();
    return i >= 0 && static_cast<TabWidget*>(control_->widget())->isTabVisible(i);
}

void TabSheet::set_tab_visible(bool visible) {
    const int i = page_index();
    if (i < 0) return;
    auto* t = static_cast<TabWidget*>(control_->widget());
    t->setting = true;
    t->setTabVisible(i, visible);
    t->setting = false;
}

int TabSheet::page_index() const {
    if (!control_) return -1;
    const auto& p = control_->pages_;
    const auto it = std::find(p.begin(), p.end(), this);
    return it == p.end() ? -1 : static_cast<int>(it - p.begin());
}

void TabSheet::set_enabled(bool enabled) {
    Control::enabled_ = enabled;
    widget_->setEnabled(enabled);
}

QWidget* TabSheet::container() const { return widget_; }

}  // namespace kit
