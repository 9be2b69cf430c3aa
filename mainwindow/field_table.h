#pragma once
// Field tables: a record type's fields, each listed once with its name, its
// conversion (how a control's text or state becomes the stored value) and the
// range its storage holds, and the two routines every window that shows the
// record runs over its own controls for them:
// - load: record to controls (no record: empty controls);
// - save: every bound control converted and range-checked into a copy of the
//   record first; only when all of them pass (and the window's own checks)
//   is the record written. A failing conversion throws on to the general
//   error handler and nothing is written.
// A window binds the fields it shows to its controls by name (a `Form`); how
// it reads its number texts (`Reading`) and any rule of its own on a field
// (`Entry::rule`) go with the binding, so the messages stay the window's.
#include "platform/errors.h"
#include "platform/kit/kit.h"
#include "tiles/utils.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace fields {

enum class Conversion {
    text,    // a text as typed (an edit or a memo)
    number,  // a typed number within low..high (the storage's bits), refused outside
    flag,    // a check box's state
    pick,    // a combo box's index; none picked keeps the stored value (or is refused, see none_message)
};

// A value on its way between a control and a record: numbers, flags and
// picks as int32_t, texts as text.
using Value = std::variant<int32_t, std::string>;

template <class Record>
struct Field {
    std::string name;
    Conversion conversion = Conversion::number;
    int32_t low = std::numeric_limits<int32_t>::min();
    int32_t high = std::numeric_limits<int32_t>::max();
    // pick: when set, picking none is refused with this message instead of keeping the stored value.
    std::string none_message;
    std::function<Value(const Record&)> get;
    std::function<void(Record&, const Value&)> set;
};

// ---- building a table's fields

// A number reached through access (a callable giving the stored number by
// reference, for a member of a member or an array entry); its range is the
// stored type's (as far as 32 signed bits reach).
template <class Record, class Access>
Field<Record> number_at(std::string name, Access access) {
    using Stored = std::remove_cvref_t<decltype(access(std::declval<Record&>()))>;
    static_assert(std::is_integral_v<Stored> && sizeof(Stored) <= sizeof(int32_t));
    constexpr auto low = static_cast<int64_t>(std::numeric_limits<Stored>::min());
    constexpr auto high = static_cast<int64_t>(std::numeric_limits<Stored>::max());
    Field<Record> f;
    f.name = std::move(name);
    f.conversion = Conversion::number;
    f.low = static_cast<int32_t>(std::max<int64_t>(low, std::numeric_limits<int32_t>::min()));
    f.high = static_cast<int32_t>(std::min<int64_t>(high, std::numeric_limits<int32_t>::max()));
    f.get = [access](const Record& r) { return Value{static_cast<int32_t>(access(const_cast<Record&>(r)))}; };
    f.set = [access](Record& r, const Value& v) { access(r) = static_cast<Stored>(std::get<int32_t>(v)); };
    return f;
}

// A number member: 32-bit, 16-bit, 8-bit, a byte, unsigned: its range is its type's.
template <class Record, class Stored>
Field<Record> number(std::string name, Stored Record::*member) {
    return number_at<Record>(std::move(name), [member](Record& r) -> Stored& { return r.*member; });
}

template <class Record>
Field<Record> text(std::string name, std::string Record::*member) {
    Field<Record> f;
    f.name = std::move(name);
    f.conversion = Conversion::text;
    f.get = [member](const Record& r) { return Value{r.*member}; };
    f.set = [member](Record& r, const Value& v) { r.*member = std::get<std::string>(v); };
    return f;
}

template <class Record>
Field<Record> flag(std::string name, bool Record::*member) {
    Field<Record> f;
    f.name = std::move(name);
    f.conversion = Conversion::flag;
    f.low = 0;
    f.high = 1;
    f.get = [member](const Record& r) { return Value{r.*member ? 1 : 0}; };
    f.set = [member](Record& r, const Value& v) { r.*member = std::get<int32_t>(v) != 0; };
    return f;
}

// A list index reached through access; offset is what the stored number is
// more than the index the box shows (a kind counted from 1 shows at 0).
template <class Record, class Access>
Field<Record> pick_at(std::string name, Access access, int32_t offset = 0, std::string none_message = "") {
    using Stored = std::remove_cvref_t<decltype(access(std::declval<Record&>()))>;
    Field<Record> f;
    f.name = std::move(name);
    f.conversion = Conversion::pick;
    f.none_message = std::move(none_message);
    f.get = [access, offset](const Record& r) {
        return Value{static_cast<int32_t>(access(const_cast<Record&>(r))) - offset};
    };
    f.set = [access, offset](Record& r, const Value& v) {
        access(r) = static_cast<Stored>(std::get<int32_t>(v) + offset);
    };
    return f;
}

template <class Record>
Field<Record> pick(std::string name, int32_t Record::*member, std::string none_message = "") {
    return pick_at<Record>(
        std::move(name), [member](Record& r) -> int32_t& { return r.*member; }, 0, std::move(none_message));
}

// A record type's fields, each listed once.
template <class Record>
class Table {
public:
    explicit Table(std::vector<Field<Record>> fields) : fields_(std::move(fields)) {}

    // The field of that name; a name the table lacks is a fault of the code.
    const Field<Record>& operator[](std::string_view name) const {
        for (const Field<Record>& f : fields_)
            if (f.name == name) return f;
        throw std::logic_error("no field " + std::string(name));
    }
    const std::vector<Field<Record>>& all() const { return fields_; }

private:
    std::vector<Field<Record>> fields_;
};

// The control a window shows a field in.
using Control = std::variant<kit::Edit*, kit::Memo*, kit::CheckBox*, kit::ComboBox*>;

// How one window reads its number texts.
struct Reading {
    // The empty text reads as 0; otherwise it fails like any text that is no number.
    bool empty_is_zero = false;
    // How a refusal names the range: "'300' is not within <range>0..255".
    std::string range;
};

// The text a refusal of a number gives, for rules of a window's own.
inline int32_t refuse(const std::string& text, int32_t value, int32_t low, int32_t high, const Reading& reading) {
    return refuse_outside(text, value, low, high, reading.range);
}

// A window's controls for a table's fields, in the order the window reads them.
template <class Record>
class Form {
public:
    // A window's rule of its own on a number, after the field's conversion and
    // range: gets the record as read so far, the text and the number; gives
    // the number to keep, or throws. On a pick it gets the picked index (-1
    // for none, the text empty) and what it gives is stored in every case.
    using Rule = std::function<int32_t(const Record& read_so_far, const std::string& text, int32_t value)>;

    struct Entry {
        std::string_view field;
        Control control;
        Rule rule = {};
        // The control shows the number the rule kept when it differs from the typed one.
        bool show_kept = false;
    };

    Form(const Table<Record>& table, Reading reading, std::initializer_list<Entry> entries)
        : reading_(std::move(reading)) {
        for (const Entry& e : entries) add(table, e);
    }
    Form(const Table<Record>& table, Reading reading, const std::vector<Entry>& entries)
        : reading_(std::move(reading)) {
        for (const Entry& e : entries) add(table, e);
    }

    // Record to controls; nullptr empties them (no text, unchecked, nothing picked).
    void load(const Record* record) const {
        for (const Bound& b : bound_) {
            if (!record) {
                std::visit([](auto* c) { clear(*c); }, b.control);
                continue;
            }
            const Value v = b.field->get(*record);
            std::visit([&v](auto* c) { show(*c, v); }, b.control);
        }
    }

    // Every bound control read into a copy of record, in binding order; the
    // first that fails throws and the copy is dropped.
    Record read(const Record& record) const {
        Record staged = record;
        std::vector<std::pair<const Bound*, int32_t>> kept;
        for (const Bound& b : bound_) read_one(b, staged, kept);
        for (const auto& [b, value] : kept) std::get<kit::Edit*>(b->control)->set_text(std::to_string(value));
        return staged;
    }

    // read, then the window's own checks on what was read (check gives false
    // to refuse: it tells the designer why), then the record is written.
    bool save(Record& record, const std::function<bool(const Record& read)>& check = {}) const {
        Record staged = read(record);
        if (check && !check(staged)) return false;
        record = std::move(staged);
        return true;
    }

private:
    struct Bound {
        const Field<Record>* field;
        Control control;
        Rule rule;
        bool show_kept;
    };

    void add(const Table<Record>& table, const Entry& e) {
        const Field<Record>& f = table[e.field];
        const bool fits = std::visit(
            [&f](auto* c) {
                using C = std::remove_pointer_t<decltype(c)>;
                if (!c) return false;
                switch (f.conversion) {
                case Conversion::text: return std::is_same_v<C, kit::Edit> || std::is_same_v<C, kit::Memo>;
                case Conversion::number: return std::is_same_v<C, kit::Edit>;
                case Conversion::flag: return std::is_same_v<C, kit::CheckBox>;
                case Conversion::pick: return std::is_same_v<C, kit::ComboBox>;
                }
                return false;
            },
            e.control);
        if (!fits) throw std::logic_error("field " + f.name + " bound to a control that cannot show it");
        bound_.push_back({&f, e.control, e.rule, e.show_kept});
    }

    void read_one(const Bound& b, Record& staged, std::vector<std::pair<const Bound*, int32_t>>& kept) const {
        const Field<Record>& f = *b.field;
        switch (f.conversion) {
        case Conversion::text: f.set(staged, Value{std::visit([](auto* c) { return text_of(*c); }, b.control)}); return;
        case Conversion::flag: f.set(staged, Value{std::get<kit::CheckBox*>(b.control)->checked() ? 1 : 0}); return;
        case Conversion::pick: {
            const int i = std::get<kit::ComboBox*>(b.control)->item_index();
            if (b.rule) f.set(staged, Value{b.rule(staged, "", i)});
            else if (i >= 0) f.set(staged, Value{int32_t{i}});
            else if (!f.none_message.empty()) throw EditorError(f.none_message);
            return;
        }
        case Conversion::number: {
            const std::string t = std::get<kit::Edit*>(b.control)->text();
            const int32_t typed = reading_.empty_is_zero ? str_to_int(t) : convert_to_int(t);
            int32_t value = refuse_outside(t, typed, f.low, f.high, reading_.range);
            if (b.rule) value = b.rule(staged, t, value);
            if (b.show_kept && value != typed) kept.emplace_back(&b, value);
            f.set(staged, Value{value});
            return;
        }
        }
    }

    static std::string text_of(const kit::Edit& c) { return c.text(); }
    static std::string text_of(const kit::Memo& c) { return c.text(); }
    static std::string text_of(const kit::CheckBox&) { return {}; }
    static std::string text_of(const kit::ComboBox& c) { return c.text(); }

    static std::string shown(const Value& v) {
        if (const auto* n = std::get_if<int32_t>(&v)) return std::to_string(*n);
        return std::get<std::string>(v);
    }
    static void show(kit::Edit& c, const Value& v) { c.set_text(shown(v)); }
    static void show(kit::Memo& c, const Value& v) { c.set_text(shown(v)); }
    static void show(kit::CheckBox& c, const Value& v) { c.set_checked(std::get<int32_t>(v) != 0); }
    static void show(kit::ComboBox& c, const Value& v) { c.set_item_index(std::get<int32_t>(v)); }
    static void clear(kit::Edit& c) { c.set_text(""); }
    static void clear(kit::Memo& c) { c.set_text(""); }
    static void clear(kit::CheckBox& c) { c.set_checked(false); }
    static void clear(kit::ComboBox& c) { c.set_item_index(-1); }

    Reading reading_;
    std::vector<Bound> bound_;
};

}  // namespace fields
