// The string grid: geometry, selection, scrolling and the back-buffered paint.
#include "platform/kit/kit_private.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace kit {

using namespace detail;

namespace {
uint64_t cell_key(int col, int row) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(col)) << 32) | static_cast<uint32_t>(row);
}
constexpr TColor highlight_color = make_color(0, 120, 215);

// The outer widget: holds the view and the scroll bars.
class Frame : public QWidget {
public:
    std::function<void()> resized;

protected:
    void resizeEvent(QResizeEvent*) override {
        if (resized) resized();
    }
};
}  // namespace

// The area where the cells are shown: blits the back buffer and takes input.
class StringGrid::View : public QWidget {
public:
    View(StringGrid* grid, QWidget* parent) : QWidget(parent), grid_(grid) {
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(false);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    StringGrid* grid_;
    bool dragging_ = false;

protected:
    void paintEvent(QPaintEvent*) override {
        if (grid_->dirty_ && !grid_->painting_) grid_->paint_now();
        QPainter p(this);
        if (grid_->buffer_ && !grid_->buffer_->isNull()) p.drawImage(0, 0, *grid_->buffer_);
        if (hasFocus() && !grid_->row_select_) {
            const Rect r = grid_->cell_rect(grid_->col_, grid_->row_);
            if (r.width > 0 && r.height > 0) {
                QPen pen(Qt::DotLine);
                pen.setColor(QColor(128, 128, 128));
                p.setPen(pen);
                p.drawRect(r.left, r.top, r.width - 1, r.height - 1);
            }
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        setFocus(Qt::MouseFocusReason);
        const QPoint pos = e->position().toPoint();
        const ShiftState shift = shift_of(e->modifiers(), e->buttons());
        if (e->button() == Qt::LeftButton && grid_->col_sizing_) {
            const GridCoord c = grid_->mouse_to_cell(pos.x(), pos.y());
            if (c.row >= 0 && c.row < grid_->fixed_rows_) {
                // Near a column's right border in the fixed rows: start resizing it.
                for (int col : {c.col, c.col - 1}) {
                    if (col < 0) continue;
                    const Rect r = grid_->cell_rect(col, c.row);
                    if (r.width > 0 && std::abs(pos.x() - r.right()) <= 3) {
                        grid_->sizing_col_ = col;
                        grid_->sizing_start_x_ = pos.x();
                        grid_->sizing_start_w_ = grid_->col_width(col);
                        return;
                    }
                }
            }
        }
        QPointer<View> self(this);
        grid_->user_mouse_down(button_of(e->button()), shift, pos.x(), pos.y());
        if (self && e->button() == Qt::LeftButton) dragging_ = true;
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        const QPoint pos = e->position().toPoint();
        if (grid_->sizing_col_ >= 0) {
            grid_->set_col_width(grid_->sizing_col_,
                                 std::max(1, grid_->sizing_start_w_ + pos.x() - grid_->sizing_start_x_));
            return;
        }
        if (!dragging_ || !(e->buttons() & Qt::LeftButton)) return;
        // Dragging with the left button moves the current cell along.
        const GridCoord c = grid_->mouse_to_cell(pos.x(), pos.y());
        if (c.col >= grid_->fixed_cols_ && c.row >= grid_->fixed_rows_ &&
            (c.col != grid_->col_ || c.row != grid_->row_))
            grid_->user_select(c.col, c.row);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const QPoint pos = e->position().toPoint();
        if (grid_->sizing_col_ >= 0) {
            grid_->sizing_col_ = -1;
            return;
        }
        dragging_ = false;
        QPointer<View> self(this);
        fire(grid_->on_mouse_up, button_of(e->button()), shift_of(e->modifiers(), e->buttons()),
             pos.x(), pos.y());
        if (self && e->button() == Qt::LeftButton && rect().contains(pos)) fire(grid_->on_click);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        mousePressEvent(e);
        fire(grid_->on_dbl_click);
    }
    void contextMenuEvent(QContextMenuEvent* e) override {
        if (grid_->popup_menu()) {
            show_popup_of(grid_);
            e->accept();
        }
    }
    void wheelEvent(QWheelEvent* e) override {
        // A horizontal wheel, and the wheel with Shift held, scroll by columns,
        // so a wide grid can be crossed without its scroll bar.
        QPoint notches = e->angleDelta() / 120;
        if ((e->modifiers() & Qt::ShiftModifier) && notches.x() == 0) notches = QPoint(notches.y(), 0);
        if (!notches.isNull())
            grid_->set_top_left(grid_->left_col_ - notches.x(), grid_->top_row_ - notches.y());
        e->accept();
    }
    void keyPressEvent(QKeyEvent* e) override {
        int key = key_code(e->key());
        const ShiftState shift = shift_of(e->modifiers(), Qt::NoButton);
        if (key == 0) {
            QWidget::keyPressEvent(e);
            return;
        }
        QPointer<View> self(this);
        if (grid_->on_key_down) fire(grid_->on_key_down, key, shift);
        if (!self || key == 0) return;
        grid_->user_key_down(key, shift);
    }
    bool focusNextPrevChild(bool) override { return false; }
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }
};

StringGrid::StringGrid(Control& parent) : Control(&parent, new Frame) {
    auto* frame = static_cast<Frame*>(widget_.data());
    view_ = new View(this, frame);
    auto* h = new QScrollBar(Qt::Horizontal, frame);
    auto* v = new QScrollBar(Qt::Vertical, frame);
    hbar_ = h;
    vbar_ = v;
    h->hide();
    v->hide();
    buffer_ = new QImage();
    canvas_.set_image(buffer_);
    QObject::connect(h, &QScrollBar::valueChanged, [this](int value) {
        if (value != left_col_) apply_top_left(value, top_row_);
    });
    QObject::connect(v, &QScrollBar::valueChanged, [this](int value) {
        if (value != top_row_) apply_top_left(left_col_, value);
    });
    frame->resized = [this] { after_resize(); };
    frame->resize(320, 120);
    after_resize();
}

StringGrid::~StringGrid() {
    if (widget_) static_cast<Frame*>(widget_.data())->resized = nullptr;
    delete buffer_;
    buffer_ = nullptr;
}

// ---------------------------------------------------------------- counts and sizes

void StringGrid::set_col_count(int count) {
    count = std::max(1, count);
    if (fixed_cols_ >= count) fixed_cols_ = count - 1;
    if (count < col_count_) {
        for (auto it = cells_.begin(); it != cells_.end();)
            it = static_cast<int>(it->first >> 32) >= count ? cells_.erase(it) : std::next(it);
    }
    col_count_ = count;
    if (!col_widths_.empty()) col_widths_.resize(static_cast<size_t>(count), default_col_width_);
    clamp_position();
}

void StringGrid::set_row_count(int count) {
    count = std::max(1, count);
    if (fixed_rows_ >= count) fixed_rows_ = count - 1;
    if (count < row_count_) {
        for (auto it = cells_.begin(); it != cells_.end();)
            it = static_cast<int>(it->first & 0xFFFFFFFFu) >= count ? cells_.erase(it) : std::next(it);
    }
    row_count_ = count;
    if (!row_heights_.empty()) row_heights_.resize(static_cast<size_t>(count), default_row_height_);
    clamp_position();
}

void StringGrid::set_fixed_cols(int count) {
    count = std::clamp(count, 0, col_count_ - 1);
    if (count == fixed_cols_) return;
    fixed_cols_ = count;
    col_ = fixed_cols_;
    left_col_ = fixed_cols_;
    clamp_position();
}

void StringGrid::set_fixed_rows(int count) {
    count = std::clamp(count, 0, row_count_ - 1);
    if (count == fixed_rows_) return;
    fixed_rows_ = count;
    row_ = fixed_rows_;
    top_row_ = fixed_rows_;
    clamp_position();
}

void StringGrid::set_default_row_height(int height) {
    default_row_height_ = std::max(0, height);
    row_heights_.clear();
    clamp_position();
}

void StringGrid::set_default_cell_size(int width, int height) {
    default_col_width_ = std::max(0, width);
    default_row_height_ = std::max(0, height);
    col_widths_.clear();
    row_heights_.clear();
    clamp_position();
}

int StringGrid::col_width(int col) const {
    if (col < 0 || col >= col_count_ || col_widths_.empty()) return default_col_width_;
    return col_widths_[static_cast<size_t>(col)];
}

int StringGrid::row_height(int row) const {
    if (row < 0 || row >= row_count_ || row_heights_.empty()) return default_row_height_;
    return row_heights_[static_cast<size_t>(row)];
}

void StringGrid::set_col_width(int col, int width) {
    if (col < 0 || col >= col_count_) return;
    if (col_widths_.empty()) col_widths_.assign(static_cast<size_t>(col_count_), default_col_width_);
    col_widths_[static_cast<size_t>(col)] = std::max(0, width);
    clamp_position();
}

void StringGrid::set_row_height(int row, int height) {
    if (row < 0 || row >= row_count_) return;
    if (row_heights_.empty()) row_heights_.assign(static_cast<size_t>(row_count_), default_row_height_);
    row_heights_[static_cast<size_t>(row)] = std::max(0, height);
    clamp_position();
}

void StringGrid::set_grid_line_width(int width) {
    grid_line_width_ = std::max(0, width);
    clamp_position();
}

void StringGrid::set_color(TColor color) {
    color_ = color;
    invalidate();
}

void StringGrid::set_row_select(bool on) {
    row_select_ = on;
    invalidate();
}

void StringGrid::set_col_sizing(bool on) { col_sizing_ = on; }

void StringGrid::set_scroll_bars(ScrollBars bars) {
    scroll_bars_ = bars;
    after_resize();
}

// ---------------------------------------------------------------- cells

std::string StringGrid::cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= col_count_ || row >= row_count_) return {};
    const auto it = cells_.find(cell_key(col, row));
    return it == cells_.end() ? std::string() : it->second;
}

void StringGrid::set_cell(int col, int row, const std::string& text) {
    if (col < 0 || row < 0 || col >= col_count_ || row >= row_count_) return;
    if (text.empty())
        cells_.erase(cell_key(col, row));
    else
        cells_[cell_key(col, row)] = text;
    invalidate_cell(col, row);
}

void StringGrid::clear_cells() {
    cells_.clear();
    invalidate();
}

// ---------------------------------------------------------------- geometry

int StringGrid::client_width() const { return view_ ? view_->width() : 0; }
int StringGrid::client_height() const { return view_ ? view_->height() : 0; }

int StringGrid::col_x(int col) const {
    if (col < 0 || col >= col_count_) return -1;
    const int cw = client_width();
    int x = 0;
    if (col < fixed_cols_) {
        for (int c = 0; c < col; ++c) x += col_width(c) + grid_line_width_;
        return x < cw ? x : -1;
    }
    if (col < left_col_) return -1;
    for (int c = 0; c < fixed_cols_; ++c) x += col_width(c) + grid_line_width_;
    for (int c = left_col_; c < col; ++c) {
        x += col_width(c) + grid_line_width_;
        if (x >= cw) return -1;
    }
    return x < cw ? x : -1;
}

int StringGrid::row_y(int row) const {
    if (row < 0 || row >= row_count_) return -1;
    const int ch = client_height();
    int y = 0;
    if (row < fixed_rows_) {
        for (int r = 0; r < row; ++r) y += row_height(r) + grid_line_width_;
        return y < ch ? y : -1;
    }
    if (row < top_row_) return -1;
    for (int r = 0; r < fixed_rows_; ++r) y += row_height(r) + grid_line_width_;
    for (int r = top_row_; r < row; ++r) {
        y += row_height(r) + grid_line_width_;
        if (y >= ch) return -1;
    }
    return y < ch ? y : -1;
}

Rect StringGrid::cell_rect(int col, int row) const {
    const int x = col_x(col), y = row_y(row);
    if (x < 0 || y < 0) return Rect{};
    return Rect{x, y, col_width(col), row_height(row)};
}

GridCoord StringGrid::mouse_to_cell(int x, int y) const {
    if (x < 0 || y < 0 || x >= client_width() || y >= client_height()) return GridCoord{};
    GridCoord out;
    int px = 0;
    for (int c = 0; c < fixed_cols_ && out.col < 0; ++c) {
        const int w = col_width(c) + grid_line_width_;
        if (x < px + w) out.col = c;
        px += w;
    }
    for (int c = left_col_; c < col_count_ && out.col < 0 && px < client_width(); ++c) {
        const int w = col_width(c) + grid_line_width_;
        if (x < px + w) out.col = c;
        px += w;
    }
    int py = 0;
    for (int r = 0; r < fixed_rows_ && out.row < 0; ++r) {
        const int h = row_height(r) + grid_line_width_;
        if (y < py + h) out.row = r;
        py += h;
    }
    for (int r = top_row_; r < row_count_ && out.row < 0 && py < client_height(); ++r) {
        const int h = row_height(r) + grid_line_width_;
        if (y < py + h) out.row = r;
        py += h;
    }
    if (out.col < 0 || out.row < 0) return GridCoord{};
    return out;
}

namespace {
// How many items from first on fit wholly into space (sizes by index).
template <typename Size>
int fitting(int first, int count, int space, int line, Size size) {
    int n = 0, used = 0;
    for (int i = first; i < count; ++i) {
        used += size(i);
        if (used > space) break;
        ++n;
        used += line;
    }
    return n;
}
}  // namespace

int StringGrid::visible_col_count() const {
    int fixed = 0;
    for (int c = 0; c < fixed_cols_; ++c) fixed += col_width(c) + grid_line_width_;
    return fitting(left_col_, col_count_, client_width() - fixed, grid_line_width_,
                   [this](int c) { return col_width(c); });
}

int StringGrid::visible_row_count() const {
    int fixed = 0;
    for (int r = 0; r < fixed_rows_; ++r) fixed += row_height(r) + grid_line_width_;
    return fitting(top_row_, row_count_, client_height() - fixed, grid_line_width_,
                   [this](int r) { return row_height(r); });
}

int StringGrid::max_left_col() const {
    int space = client_width();
    for (int c = 0; c < fixed_cols_; ++c) space -= col_width(c) + grid_line_width_;
    int left = col_count_;
    int used = 0;
    while (left > fixed_cols_) {
        const int w = col_width(left - 1);
        if (used + w > space) break;
        used += w + grid_line_width_;
        --left;
    }
    return std::clamp(left, fixed_cols_, col_count_ - 1 < fixed_cols_ ? fixed_cols_ : col_count_ - 1);
}

int StringGrid::max_top_row() const {
    int space = client_height();
    for (int r = 0; r < fixed_rows_; ++r) space -= row_height(r) + grid_line_width_;
    int top = row_count_;
    int used = 0;
    while (top > fixed_rows_) {
        const int h = row_height(top - 1);
        if (used + h > space) break;
        used += h + grid_line_width_;
        --top;
    }
    return std::clamp(top, fixed_rows_, row_count_ - 1 < fixed_rows_ ? fixed_rows_ : row_count_ - 1);
}

// ---------------------------------------------------------------- top-left and selection

void StringGrid::set_left_col(int col) { apply_top_left(col, top_row_); }
void StringGrid::set_top_row(int row) { apply_top_left(left_col_, row); }
void StringGrid::set_top_left(int col, int row) { apply_top_left(col, row); }

void StringGrid::apply_top_left(int col, int row) {
    col = std::clamp(col, fixed_cols_, max_left_col());
    row = std::clamp(row, fixed_rows_, max_top_row());
    if (col == left_col_ && row == top_row_) {
        update_scroll_bars();
        return;
    }
    left_col_ = col;
    top_row_ = row;
    update_scroll_bars();
    invalidate();
    fire(on_top_left_changed);
}

void StringGrid::clamp_position() {
    const int first_col = std::min(fixed_cols_, col_count_ - 1);
    const int first_row = std::min(fixed_rows_, row_count_ - 1);
    col_ = std::clamp(col_, first_col, col_count_ - 1);
    row_ = std::clamp(row_, first_row, row_count_ - 1);
    after_resize();
}


void StringGrid::set_cell_position(int col, int row) {
    if (col < fixed_cols_ || col >= col_count_ || row < fixed_rows_ || row >= row_count_) return;
    col_ = col;
    row_ = row;
    invalidate();
    scroll_into_view(col, row);
}

GridRect StringGrid::selection() const {
    if (row_select_) return GridRect{fixed_cols_, row_, col_count_ - 1, row_};
    return GridRect{col_, row_, col_, row_};
}

void StringGrid::scroll_into_view(int col, int row) {
    int left = left_col_, top = top_row_;
    if (col >= fixed_cols_) {
        if (col < left) left = col;
        while (left < col && left < max_left_col()) {
            int fixed = 0;
            for (int c = 0; c < fixed_cols_; ++c) fixed += col_width(c) + grid_line_width_;
            int used = fixed;
            for (int c = left; c <= col; ++c) used += col_width(c) + (c < col ? grid_line_width_ : 0);
            if (used <= client_width()) break;
            ++left;
        }
    }
    if (row >= fixed_rows_) {
        if (row < top) top = row;
        while (top < row && top < max_top_row()) {
            int fixed = 0;
            for (int r = 0; r < fixed_rows_; ++r) fixed += row_height(r) + grid_line_width_;
            int used = fixed;
            for (int r = top; r <= row; ++r) used += row_height(r) + (r < row ? grid_line_width_ : 0);
            if (used <= client_height()) break;
            ++top;
        }
    }
    apply_top_left(left, top);
}

bool StringGrid::user_select(int col, int row) {
    if (col < fixed_cols_ || col >= col_count_ || row < fixed_rows_ || row >= row_count_) return false;
    bool can_select = true;
    bool finished = !on_select_cell;
    if (on_select_cell)
        dispatch([&] {
            on_select_cell(col, row, can_select);
            finished = true;
        });
    // A handler that failed or refused leaves the current cell where it was.
    if (!finished || !can_select) return false;
    // The handler may have shrunk the grid below the cell (an editor deleting
    // the row picked): the move goes to the nearest cell that still exists.
    col_ = col;
    row_ = row;
    clamp_position();
    invalidate();
    scroll_into_view(col_, row_);
    return true;
}

void StringGrid::user_mouse_down(MouseButton button, ShiftState shift, int x, int y) {
    if (button == MouseButton::left) {
        const GridCoord c = mouse_to_cell(x, y);
        if (c.col >= fixed_cols_ && c.row >= fixed_rows_) user_select(c.col, c.row);
    }
    fire(on_mouse_down, button, shift, x, y);
}

void StringGrid::user_key_down(int key, ShiftState shift) {
    int c = col_, r = row_;
    const int rows_page = std::max(1, visible_row_count());
    switch (key) {
    case keys::left:
        if (row_select_) {
            set_left_col(left_col_ - 1);
            return;
        }
        --c;
        break;
    case keys::right:
        if (row_select_) {
            set_left_col(left_col_ + 1);
            return;
        }
        ++c;
        break;
    case keys::up: --r; break;
    case keys::down: ++r; break;
    case keys::page_up: r -= rows_page; break;
    case keys::page_down: r += rows_page; break;
    case keys::home:
        if (shift.ctrl) r = fixed_rows_;
        else c = fixed_cols_;
        break;
    case keys::end:
        if (shift.ctrl) r = row_count_ - 1;
        else c = col_count_ - 1;
        break;
    default:
        return;
    }
    c = std::clamp(c, fixed_cols_, col_count_ - 1);
    r = std::clamp(r, fixed_rows_, row_count_ - 1);
    if (c != col_ || r != row_) user_select(c, r);
}

// ---------------------------------------------------------------- scroll bars and size

void StringGrid::after_resize() {
    if (!widget_ || !view_) return;
    auto* h = static_cast<QScrollBar*>(hbar_);
    auto* v = static_cast<QScrollBar*>(vbar_);
    const int W = widget_->width(), H = widget_->height();
    const int hs = h->sizeHint().height(), vs = v->sizeHint().width();
    const bool allow_h = scroll_bars_ == ScrollBars::horizontal || scroll_bars_ == ScrollBars::both;
    const bool allow_v = scroll_bars_ == ScrollBars::vertical || scroll_bars_ == ScrollBars::both;
    bool show_h = false, show_v = false;
    // Two rounds: one bar taking room can make the other one needed.
    for (int round = 0; round < 2; ++round) {
        view_->resize(std::max(0, W - (show_v ? vs : 0)), std::max(0, H - (show_h ? hs : 0)));
        show_h = allow_h && max_left_col() > fixed_cols_;
        show_v = allow_v && max_top_row() > fixed_rows_;
    }
    view_->setGeometry(0, 0, std::max(0, W - (show_v ? vs : 0)), std::max(0, H - (show_h ? hs : 0)));
    h->setGeometry(0, H - hs, std::max(0, W - (show_v ? vs : 0)), hs);
    v->setGeometry(W - vs, 0, vs, std::max(0, H - (show_h ? hs : 0)));
    h->setVisible(show_h);
    v->setVisible(show_v);
    if (buffer_ && (buffer_->width() != view_->width() || buffer_->height() != view_->height())) {
        *buffer_ = QImage(std::max(1, view_->width()), std::max(1, view_->height()), QImage::Format_BGR888);
        buffer_->fill(qcolor(color_));
        canvas_.set_image(buffer_);
    }
    // Counts and sizes may have moved the limits of the top-left cell.
    const int col = std::clamp(left_col_, fixed_cols_, max_left_col());
    const int row = std::clamp(top_row_, fixed_rows_, max_top_row());
    if (col != left_col_ || row != top_row_)
        apply_top_left(col, row);
    else
        update_scroll_bars();
    invalidate();
}

void StringGrid::update_scroll_bars() {
    auto* h = static_cast<QScrollBar*>(hbar_);
    auto* v = static_cast<QScrollBar*>(vbar_);
    if (!h || !v) return;
    const QSignalBlocker bh(h), bv(v);
    h->setRange(fixed_cols_, max_left_col());
    h->setPageStep(std::max(1, visible_col_count()));
    h->setValue(left_col_);
    v->setRange(fixed_rows_, max_top_row());
    v->setPageStep(std::max(1, visible_row_count()));
    v->setValue(top_row_);
}

// ---------------------------------------------------------------- painting

Canvas& StringGrid::canvas() {
    // Drawings made now must not be covered by a paint that is still pending.
    if (dirty_ && !painting_ && view_ && view_->isVisible()) paint_now();
    if (view_) view_->update();
    return canvas_;
}

void StringGrid::refresh() {
    dirty_ = true;
    if (view_ && view_->isVisible() && !painting_) {
        paint_now();
        view_->repaint();
    }
}

void StringGrid::invalidate() {
    dirty_ = true;
    if (view_) view_->update();
}

void StringGrid::invalidate_cell(int, int) { invalidate(); }

void StringGrid::paint_cell(int col, int row) {
    const Rect r = cell_rect(col, row);
    if (r.width <= 0 && r.height <= 0) return;
    const bool fixed = col < fixed_cols_ || row < fixed_rows_;
    GridDrawState state;
    state.fixed = fixed;
    state.focused = !fixed && col == col_ && row == row_;
    const GridRect s = selection();
    state.selected = !fixed && col >= s.left && col <= s.right && row >= s.top && row <= s.bottom;
    Canvas& c = canvas_;
    if (grid_line_width_ > 0) {
        c.brush_color = fixed ? clBlack : line_color_;
        c.fill_rect(r.left, r.top, r.right() + grid_line_width_, r.bottom() + grid_line_width_);
    }
    const bool highlighted = state.selected && row_select_;
    c.brush_color = fixed ? fixed_color_ : (highlighted ? highlight_color : color_);
    c.font_color = highlighted ? clWhite : clBlack;
    c.pen_color = clBlack;
    c.fill_rect(r.left, r.top, r.right(), r.bottom());
    const auto it = cells_.find(cell_key(col, row));
    if (it != cells_.end()) c.text_out_transparent(r.left + 2, r.top + 2, it->second);
    ++painted_cells_;
}

void StringGrid::paint_now() {
    if (painting_ || !buffer_) return;
    painting_ = true;
    dirty_ = false;
    if (buffer_->width() != client_width() || buffer_->height() != client_height()) {
        *buffer_ = QImage(std::max(1, client_width()), std::max(1, client_height()), QImage::Format_BGR888);
        canvas_.set_image(buffer_);
    }
    buffer_->fill(qcolor(color_));
    const int cw = client_width(), ch = client_height();
    // The visible columns and rows: fixed ones, then from the top-left cell on.
    std::vector<int> cols, rows;
    {
        int x = 0;
        for (int c = 0; c < fixed_cols_ && x < cw; ++c) {
            cols.push_back(c);
            x += col_width(c) + grid_line_width_;
        }
        for (int c = left_col_; c < col_count_ && x < cw; ++c) {
            cols.push_back(c);
            x += col_width(c) + grid_line_width_;
        }
        int y = 0;
        for (int r = 0; r < fixed_rows_ && y < ch; ++r) {
            rows.push_back(r);
            y += row_height(r) + grid_line_width_;
        }
        for (int r = top_row_; r < row_count_ && y < ch; ++r) {
            rows.push_back(r);
            y += row_height(r) + grid_line_width_;
        }
    }
    bool ok = true;
    auto draw = [&](int col, int row) {
        if (!ok) return;
        paint_cell(col, row);
        if (!on_draw_cell) return;
        const Rect r = cell_rect(col, row);
        GridDrawState state;
        state.fixed = col < fixed_cols_ || row < fixed_rows_;
        state.focused = !state.fixed && col == col_ && row == row_;
        const GridRect s = selection();
        state.selected = !state.fixed && col >= s.left && col <= s.right && row >= s.top && row <= s.bottom;
        bool finished = false;
        dispatch([&] {
            on_draw_cell(col, row, r, state);
            finished = true;
        });
        // One failing handler ends this paint: one error box, not one per cell.
        if (!finished) ok = false;
    };
    // Fixed corner, fixed rows, fixed columns, then the data cells row by row.
    for (int r : rows)
        if (r < fixed_rows_)
            for (int c : cols)
                if (c < fixed_cols_) draw(c, r);
    for (int r : rows)
        if (r < fixed_rows_)
            for (int c : cols)
                if (c >= fixed_cols_) draw(c, r);
    for (int r : rows)
        if (r >= fixed_rows_)
            for (int c : cols)
                if (c < fixed_cols_) draw(c, r);
    for (int r : rows)
        if (r >= fixed_rows_)
            for (int c : cols)
                if (c >= fixed_cols_) draw(c, r);
    painting_ = false;
}

}  // namespace kit
