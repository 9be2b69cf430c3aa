#pragma once
// The resources page: the resource catalogue, the form of one resource
// template, its pictures, its allowed children and its filling.
#include "platform/kit/kit.h"

class TForm1;

class ResourcesPage {
public:
    explicit ResourcesPage(TForm1& form);
    void start();
    void shown();

    // Refills the resource pickers of the items and resources pages.
    void update_ress_cb();

    TForm1& form;
    kit::TabSheet resources_page;
    kit::Edit epresname{resources_page};
    kit::ComboBox cbprestype{resources_page};
    kit::Edit epresvalue{resources_page};
    kit::Edit epresweight{resources_page};
    kit::Edit eprespower{resources_page};
    kit::Memo mprestitle{resources_page, "mprestitle"};
    kit::Image ipres1{resources_page};
    kit::Image ipres2{resources_page};
    kit::Button Button13{resources_page, "ADD"};
    kit::Button Button15{resources_page, "<- EDIT"};
    kit::Button Button16{resources_page, "DELETE"};
    kit::Button Button25{resources_page, "INV"};
    kit::ComboBox cbexpress{resources_page};
    kit::Button Button20{resources_page, "ADD"};
    kit::ListBox lbpreschidren{resources_page};
    kit::Button Button21{resources_page, "DELETE"};
    kit::ComboBox cbexpress3{resources_page};
    kit::StringGrid sg_presources{resources_page};
};
