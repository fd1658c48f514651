// Builds the panel from the layout table, shows every parameter value that the controller takes,
// and turns gestures on the controls into parameter edits, presets and the preset lock.
#include "editor/TessalineEditorView.h"

#include "controller/ParameterTable.h"
#include "controller/TessalineController.h"
#include "editor/Presets.h"

#include "base/source/fstring.h"
#include "pluginterfaces/gui/iplugview.h"
#include "vstgui/lib/platform/iplatformframe.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;

namespace {

const CColor kTextGrey (164, 164, 164, 255);

// "Variation 1" to "Variation <entries>", as many as the list parameter holds.
int32 variationCount (int32 parameter)
{
	for (const ParameterDescription& description : kParameterTable)
		if (int32 (description.id) == parameter)
			return description.stepCount + 1;
	return 0;
}

CRect rectOf (const EditorControlLayout& row)
{
	return CRect (0, 0, row.width, row.height).offset (row.left, row.top);
}

COptionMenu* newMenu (const EditorControlLayout& row, CControlListener* listener)
{
	auto* menu = new COptionMenu (rectOf (row), listener, row.tag, nullptr, nullptr, kNoFrame);
	if (row.action == EditorAction::kPresetChoice)
	{
		for (const char* name : presetNames)
			menu->addEntry (name, -1, 0);
	}
	else
	{
		for (int32 entry = 1; entry <= variationCount (row.parameter); ++entry)
			menu->addEntry (("Variation " + std::to_string (entry)).c_str (), -1, 0);
	}
	menu->setFontColor (kTextGrey);
	menu->setBackColor (kTransparentCColor);
	menu->setFont (kNormalFontVeryBig);
	return menu;
}

} // namespace

bool TessalineEditorView::hasWindowSystem ()
{
	for (FIDString type : {kPlatformTypeHWND, kPlatformTypeHIView, kPlatformTypeNSView, kPlatformTypeUIView,
	                       kPlatformTypeX11EmbedWindowID})
	{
		if (VSTGUI::Platform::isPlatformTypeSupported (type))
			return true;
	}
	return false;
}

TessalineEditorView::TessalineEditorView (TessalineController* controller)
: VSTGUIEditor (controller), tessalineController (controller)
{
	setIdleRate (50);
	ViewRect rect (0, 0, kEditorWidth, kEditorHeight);
	setRect (rect);
}

TessalineEditorView::~TessalineEditorView ()
{
	if (timer)
		timer->stop ();
	if (frame)
		frame->onMouseCancel ();
	close ();
}

CControl* TessalineEditorView::createControl (const EditorControlLayout& row, CBitmap* image)
{
	const CRect rect = rectOf (row);
	switch (row.kind)
	{
		case EditorControlKind::kKnob:
			// The offset names the height of one filmstrip frame.
			return new CAnimKnob (rect, this, row.tag, image, CPoint (0, row.height));
		case EditorControlKind::kFader:
			// kRight: value 0 puts the handle at the bottom.
			return new CVerticalSlider (rect, this, row.tag, CPoint (0, 0), row.height, image, nullptr, CPoint (0, 0),
			                            kRight);
		case EditorControlKind::kTextField:
		{
			auto* field = new CTextEdit (rect, this, row.tag, "", nullptr, kNoFrame);
			field->setFont (kNormalFontBig);
			field->setBackColor (kTransparentCColor);
			field->setFontColor (kTextGrey);
			return field;
		}
		case EditorControlKind::kMenu: return newMenu (row, this);
		case EditorControlKind::kOnOffButton: return new COnOffButton (rect, this, row.tag, image, 0);
		case EditorControlKind::kKickButton:
		{
			auto* button = new CKickButton (rect, this, row.tag, image, CPoint (0, 0));
			button->setValue (0.f);
			return button;
		}
		case EditorControlKind::kSplash:
		{
			const CRect display (kAboutDisplayRect[0], kAboutDisplayRect[1], kAboutDisplayRect[2],
			                     kAboutDisplayRect[3]);
			return new CSplashScreen (rect, this, row.tag, image, display, CPoint (0, 0));
		}
		case EditorControlKind::kLabel:
		{
			auto* label = new CTextLabel (rect, kVersionText, nullptr, kNoFrame);
			label->setBackColor (kTransparentCColor);
			label->setFontColor (kTextGrey);
			label->setFont (kNormalFont);
			return label;
		}
	}
	return nullptr;
}

bool PLUGIN_API TessalineEditorView::open (void* parent)
{
	if (frame)
		return false;

	// Each image is loaded once and shared by the controls that show it; they hold it from here on.
	CBitmap* images[kNumEditorImages];
	for (int32 i = 0; i < kNumEditorImages; ++i)
		images[i] = new CBitmap (CResourceDescription (kEditorImageNames[i]));

	frame = new CFrame (CRect (0, 0, kEditorWidth, kEditorHeight), parent, this);
	background = new CBitmap (CResourceDescription (kBackgroundImageName));
	frame->setBackground (background);

	for (int32 row = 0; row < kPresetMenuRow; ++row)
	{
		const EditorControlLayout& layout = kEditorLayout[row];
		CControl* control = createControl (layout, layout.image == kNoImage ? nullptr : images[layout.image]);
		if (layout.action == EditorAction::kLock)
			control->setValue (tessalineController->isLocked () ? 1.f : 0.f);
		controls[row] = control;
		frame->addView (control);
	}
	for (CBitmap* image : images)
		image->forget ();

	for (ParamID id = 0; id < kNumStoredParameters; ++id)
		updateParameter (id, controller->getParamNormalized (id));

	// Made after the first display, which therefore leaves the preset choice alone.
	CControl* presetMenu = createControl (kEditorLayout[kPresetMenuRow], nullptr);
	presetMenu->setValue (float (tessalineController->getPresetIndex ()));
	controls[kPresetMenuRow] = presetMenu;
	return frame->addView (presetMenu);
}

void PLUGIN_API TessalineEditorView::close ()
{
	if (frame)
	{
		CFrame* open = frame;
		frame = nullptr;
		open->forget ();
	}
	if (background)
	{
		background->forget ();
		background = nullptr;
	}
	std::fill (std::begin (controls), std::end (controls), nullptr);
}

void TessalineEditorView::beginEdit (int32 /*index*/) {}

void TessalineEditorView::endEdit (int32 /*index*/) {}

tresult PLUGIN_API TessalineEditorView::canResize ()
{
	return kResultFalse;
}

tresult PLUGIN_API TessalineEditorView::checkSizeConstraint (ViewRect* rect)
{
	if (!rect)
		return kInvalidArgument;
	// 64-bit sums: a host's rectangle near the ends of the 32-bit range must not overflow.
	auto constrain = [] (int32 low, int32 high, int32 minimum) -> int64 {
		const int64 extent = int64 (high) - low;
		if (extent < minimum)
			return int64 (low) + minimum;
		if (extent > minimum + kEditorSizeSlack)
			return int64 (low) + minimum + kEditorSizeSlack;
		return high;
	};
	const int64 right = constrain (rect->left, rect->right, kEditorWidth);
	const int64 bottom = constrain (rect->top, rect->bottom, kEditorHeight);
	if (right > kMaxInt32 || bottom > kMaxInt32)
		return kResultFalse;
	rect->right = int32 (right);
	rect->bottom = int32 (bottom);
	return kResultTrue;
}

tresult PLUGIN_API TessalineEditorView::onSize (ViewRect* newSize)
{
	return VSTGUIEditor::onSize (newSize);
}

CControl* TessalineEditorView::controlOfTag (int32 tag) const
{
	const int32 row = editorRowOfTag (tag);
	return row >= 0 ? controls[row] : nullptr;
}

void TessalineEditorView::updateParameter (ParamID id, ParamValue value)
{
	if (std::isnan (value))
		return;
	value = std::min (std::max (value, 0.0), 1.0);
	if (id == kVuPPM)
	{
		vuValue = float (value);
		return;
	}
	if (id >= kNumStoredParameters)
		return;
	const int32 row = editorRowOfParameter (int32 (id), false);
	CControl* control = row >= 0 ? controls[row] : nullptr;
	if (!control)
		return;

	switch (kEditorLayout[row].kind)
	{
		case EditorControlKind::kMenu:
		{
			// 1.0 is the last entry, not one past it.
			const int32 entries = static_cast<COptionMenu*> (control)->getNbEntries ();
			const int32 index = std::min (int32 (value * entries), entries - 1);
			control->setValue (float (index));
			return;
		}
		case EditorControlKind::kOnOffButton: control->setValue (value > 0.5 ? 1.f : 0.f); return;
		default: control->setValue (float (value)); break;
	}

	auto* field = static_cast<CTextEdit*> (controlOfTag (kEditorLayout[row].partner));
	if (!field)
		return;
	String128 string {};
	if (controller->getParamStringByValue (id, value, string) != kResultTrue)
		return; // the field keeps what it showed
	string[127] = 0;
	char8 text[128] {};
	String (string).copyTo8 (text, 0, 127);
	field->setText (text);
}

tresult PLUGIN_API TessalineEditorView::findParameter (int32 xPos, int32 yPos, ParamID& resultTag)
{
	const CPoint where (xPos, yPos);
	for (ParameterId id : kParameterFinderOrder)
	{
		for (bool textField : {false, true})
		{
			const int32 row = editorRowOfParameter (int32 (id), textField);
			CControl* control = row >= 0 ? controls[row] : nullptr;
			if (control && control->hitTest (where, 0))
			{
				resultTag = id;
				return kResultOk;
			}
		}
	}
	// Also the answer of a closed view, which has no controls.
	return kResultFalse;
}

tresult PLUGIN_API TessalineEditorView::executeMenuItem (int32 /*tag*/)
{
	return kResultFalse;
}

void TessalineEditorView::valueChanged (CControl* control)
{
	const int32 row = control ? editorRowOfTag (control->getTag ()) : -1;
	if (row < 0)
		return;
	const EditorControlLayout& layout = kEditorLayout[row];
	const ParamID parameter = ParamID (layout.parameter);
	switch (layout.action)
	{
		case EditorAction::kValueEdit: editValue (control, layout); break;
		case EditorAction::kTextEntry: enterText (control, layout); break;
		case EditorAction::kListChoice:
			controller->setParamNormalized (parameter, controller->plainParamToNormalized (parameter, control->getValue ()));
			controller->performEdit (parameter, controller->plainParamToNormalized (parameter, control->getValue ()));
			break;
		case EditorAction::kSwitch:
			controller->setParamNormalized (parameter, control->getValue ());
			controller->performEdit (parameter, control->getValue ());
			break;
		case EditorAction::kPresetChoice:
			tessalineController->setPresetIndex (int32 (control->getValue ()));
			loadPreset ();
			break;
		// A kick button reports 1 and then 0 for a completed click: it steps once, at the release.
		case EditorAction::kPreviousPreset:
			if (double (control->getValue ()) > 0.5)
				stepPreset (-1);
			break;
		case EditorAction::kNextPreset:
			if (double (control->getValue ()) > 0.5)
				stepPreset (1);
			break;
		case EditorAction::kLock: tessalineController->setLock (double (control->getValue ()) > 0.5); break;
		case EditorAction::kNone: break;
	}
}

void TessalineEditorView::editValue (CControl* control, const EditorControlLayout& layout)
{
	const ParamID parameter = ParamID (layout.parameter);
	// The controller echoes the value to every open view, which writes the text field here too.
	controller->setParamNormalized (parameter, control->getValue ());
	controller->performEdit (parameter, control->getValue ());
	if (CControl* text = controlOfTag (layout.partner))
		text->invalid ();
}

void TessalineEditorView::enterText (CControl* control, const EditorControlLayout& layout)
{
	auto* field = dynamic_cast<CTextEdit*> (control);
	CControl* partner = controlOfTag (layout.partner);
	if (!field || !partner)
		return;
	// At most 127 characters go on, however long the typed text was.
	char8 typed[128] {};
	field->getText (typed, sizeof (typed));
	String128 wide {};
	ParamValue value = 0.0;
	tresult result = kResultFalse;
	if (String (typed).copyTo16 (wide, 0, 127) > 0)
		result = controller->getParamValueByString (ParamID (layout.parameter), wide, value);
	// A text that the parameter cannot read sets the bottom of the range.
	partner->setValue (result == kResultTrue ? float (value) : 0.f);
	valueChanged (partner);
	partner->invalid ();
}

void TessalineEditorView::stepPreset (int32 step)
{
	const int32 current = tessalineController->getPresetIndex ();
	int32 index = 0;
	// An index that the controller was given from outside the table restarts at the end that
	// the button points to.
	if (current < 0 || current >= kNumPresets)
		index = step < 0 ? kNumPresets - 1 : 0;
	else
		index = (current + step + kNumPresets) % kNumPresets;
	tessalineController->setPresetIndex (index);
	loadPreset ();
	if (CControl* presetMenu = controls[kPresetMenuRow])
	{
		presetMenu->setValue (float (index));
		presetMenu->invalid ();
	}
}

void TessalineEditorView::loadPreset ()
{
	const int32 index = tessalineController->getPresetIndex ();
	if (index >= 0 && index < kNumPresets)
		tessalineController->applyPreset (presetTable[index]);
}

long TessalineEditorView::controlModifierClicked (CControl* /*control*/, long /*button*/)
{
	return 0;
}

void TessalineEditorView::controlBeginEdit (CControl* control)
{
	const int32 row = control ? editorRowOfTag (control->getTag ()) : -1;
	if (row >= 0 && isBracketed (kEditorLayout[row].action))
		controller->beginEdit (ParamID (kEditorLayout[row].parameter));
}

void TessalineEditorView::controlEndEdit (CControl* control)
{
	const int32 row = control ? editorRowOfTag (control->getTag ()) : -1;
	if (row >= 0 && isBracketed (kEditorLayout[row].action))
		controller->endEdit (ParamID (kEditorLayout[row].parameter));
}

tresult PLUGIN_API TessalineEditorView::queryInterface (const TUID iid, void** obj)
{
	QUERY_INTERFACE (iid, obj, IParameterFinder::iid, IParameterFinder)
	QUERY_INTERFACE (iid, obj, IContextMenuTarget::iid, IContextMenuTarget)
	return VSTGUIEditor::queryInterface (iid, obj);
}

} // namespace Vst
} // namespace Steinberg
