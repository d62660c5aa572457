// The toolkit's own controls, one line each; layouts name them by tag without the C and UI.
#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/control_factory.h"
#include "ui/toolkit/controls/button_ui.h"
#include "ui/toolkit/controls/check_box_ui.h"
#include "ui/toolkit/controls/color_palette_ui.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/label_ui.h"
#include "ui/toolkit/controls/list_container_element_ui.h"
#include "ui/toolkit/controls/list_label_element_ui.h"
#include "ui/toolkit/controls/list_ui.h"
#include "ui/toolkit/controls/menu_element_ui.h"
#include "ui/toolkit/controls/menu_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/controls/progress_ui.h"
#include "ui/toolkit/controls/rich_edit_ui.h"
#include "ui/toolkit/controls/slider_ui.h"
#include "ui/toolkit/horizontal_layout_ui.h"
#include "ui/toolkit/tab_layout_ui.h"
#include "ui/toolkit/vertical_layout_ui.h"

void CControlFactory::RegisterStandardControls() {
  RegistStandardControl("CControlUI", []() -> CControlUI* { return new CControlUI; });
  RegistStandardControl("CContainerUI", []() -> CControlUI* { return new CContainerUI; });
  RegistStandardControl("CHorizontalLayoutUI", []() -> CControlUI* { return new CHorizontalLayoutUI; });
  RegistStandardControl("CVerticalLayoutUI", []() -> CControlUI* { return new CVerticalLayoutUI; });
  RegistStandardControl("CTabLayoutUI", []() -> CControlUI* { return new CTabLayoutUI; });
  RegistStandardControl("CLabelUI", []() -> CControlUI* { return new CLabelUI; });
  RegistStandardControl("CTextUI", []() -> CControlUI* { return new CLabelUI; });
  RegistStandardControl("CButtonUI", []() -> CControlUI* { return new CButtonUI; });
  RegistStandardControl("COptionUI", []() -> CControlUI* { return new COptionUI; });
  RegistStandardControl("CCheckBoxUI", []() -> CControlUI* { return new CCheckBoxUI; });
  RegistStandardControl("CEditUI", []() -> CControlUI* { return new CEditUI; });
  RegistStandardControl("CRichEditUI", []() -> CControlUI* { return new CRichEditUI; });
  RegistStandardControl("CComboUI", []() -> CControlUI* { return new CComboUI; });
  RegistStandardControl("CListUI", []() -> CControlUI* { return new CListUI; });
  RegistStandardControl("CListLabelElementUI", []() -> CControlUI* { return new CListLabelElementUI; });
  RegistStandardControl("CListContainerElementUI", []() -> CControlUI* { return new CListContainerElementUI; });
  RegistStandardControl("CProgressUI", []() -> CControlUI* { return new CProgressUI; });
  RegistStandardControl("CSliderUI", []() -> CControlUI* { return new CSliderUI; });
  RegistStandardControl("CColorPaletteUI", []() -> CControlUI* { return new CColorPaletteUI; });
  RegistStandardControl("CMenuUI", []() -> CControlUI* { return new CMenuUI; });
  RegistStandardControl("CMenuElementUI", []() -> CControlUI* { return new CMenuElementUI; });
}
