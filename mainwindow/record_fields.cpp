#include "mainwindow/record_fields.h"

#include <string>

using namespace fields;

const Table<Tpitem>& item_fields() {
    using R = Tpitem;
    static const Table<R> table({
        pick("class", &R::item_class, "Select the class!"),
        text("name", &R::name),
        text("title", &R::title),
        number("hp", &R::hp),
        number("weight", &R::weight),
        number("volume", &R::volume),
        number("value", &R::value),
        number("load", &R::load),
        number("hands", &R::hands),
        number("dem1", &R::dem1),
        number("dem2", &R::dem2),
        number("dem3", &R::dem3),
        number("arm1", &R::arm1),
        number("arm2", &R::arm2),
        number("arm3", &R::arm3),
        number("a", &R::a),
        number("b", &R::b),
        number("c", &R::c),
        number("attack", &R::attack),
        number("defence", &R::defence),
        number("block", &R::block),
        number("cover", &R::cover),
        number("skov", &R::skov),
        number("penalty", &R::penalty),
    });
    return table;
}

const Table<Tmapobject>& object_fields() {
    using R = Tmapobject;
    static const Table<R> table({
        text("name", &R::name),
        text("title", &R::title),
        number("size", &R::size),
        number("height", &R::height),
        number("hp", &R::hp),
        number("arm1", &R::arm1),
        number("arm2", &R::arm2),
        number("arm3", &R::arm3),
        pick("form", &R::form),
        pick("lock", &R::lock),
        flag("floating", &R::floating),
        flag("chest", &R::chest),
        flag("door", &R::door),
        flag("locked", &R::locked),
        flag("closed", &R::closed),
        flag("passing", &R::passing),
        flag("visible", &R::visible),
        flag("transmitter", &R::transmitter),
        flag("receiver", &R::receiver),
        flag("transparent", &R::transparent),
    });
    return table;
}

const Table<Tchar>& npc_fields() {
    using R = Tchar;
    static const Table<R> table = [] {
        std::vector<Field<R>> f{
            text("name", &R::name),
            text("self_name", &R::self_name),
            text("description", &R::description),
            pick("fraction", &R::fraction),
            number("STR", &R::STR),
            number("AGI", &R::AGI),
            number("DEX", &R::DEX),
            number("CON", &R::CON),
            number("ACU", &R::ACU),
            number("INT", &R::INT),
            number("WIS", &R::WIS),
            number("PER", &R::PER),
            number("hp", &R::hp),
            number("sp", &R::sp),
            number("mp", &R::mp),
            number("size", &R::size),
        };
        for (std::size_t i = 1; i <= 32; ++i)
            f.push_back(number_at<R>("skill" + std::to_string(i), [i](R& r) -> int32_t& { return r.skills[i - 1]; }));
        f.push_back(number_at<R>("seen_map", [](R& r) -> int32_t& { return r.last_seen_enemy.map; }));
        f.push_back(number_at<R>("seen_x", [](R& r) -> int32_t& { return r.last_seen_enemy.x; }));
        f.push_back(number_at<R>("seen_y", [](R& r) -> int32_t& { return r.last_seen_enemy.y; }));
        return Table<R>(std::move(f));
    }();
    return table;
}

const Table<Tpres>& resource_fields() {
    using R = Tpres;
    static const Table<R> table({
        text("name", &R::name),
        text("title", &R::title),
        pick("kind", &R::kind, "Select the type!"),
        number("value", &R::value),
        number("weight", &R::weight),
        number("power", &R::power),
        number("amount", &R::amount),
    });
    return table;
}

const Table<Ttrigger>& trigger_fields() {
    using R = Ttrigger;
    static const Table<R> table({
        pick_at<R>("kind", [](R& r) -> uint8_t& { return r.kind; }, 1),
        text("name", &R::name),
        text("description", &R::description),
        text("success_text", &R::success_text),
        text("false_text", &R::false_text),
        pick_at<R>("map", [](R& r) -> int32_t& { return r.place.map; }),
        number_at<R>("x", [](R& r) -> int32_t& { return r.place.x; }),
        number_at<R>("y", [](R& r) -> int32_t& { return r.place.y; }),
        number("target", &R::target),
        number("size", &R::size),
        number("interval", &R::interval),
        flag("visible", &R::visible),
        flag("once", &R::once),
        flag("active", &R::active),
    });
    return table;
}

const Table<Tevent>& event_fields() {
    using R = Tevent;
    static const Table<R> table({
        pick_at<R>("action", [](R& r) -> uint8_t& { return r.action; }, 1),
        number("target", &R::target),
        text("target_name", &R::target_name),
        pick_at<R>("map", [](R& r) -> int32_t& { return r.place.map; }),
        number_at<R>("x", [](R& r) -> int32_t& { return r.place.x; }),
        number_at<R>("y", [](R& r) -> int32_t& { return r.place.y; }),
        number("value", &R::value),
        text("text", &R::text),
        flag("turn_off_self", &R::turn_off_self),
        flag("turn_off_trigger", &R::turn_off_trigger),
        flag("search", &R::search),
        flag("continue_on_false", &R::continue_on_false),
    });
    return table;
}
