// The editor's artwork: panel, knob filmstrips, fader handles, buttons and the About image.
#include "images.h"

#include "art.h"

#include <cmath>

using namespace Art;
using VSTGUI::CPixelBuffer;

namespace {

constexpr int kWidth = 1105;
constexpr int kHeight = 381;

// Palette.
const CColor kPanelTop (44, 47, 52);
const CColor kPanelBottom (27, 29, 33);
const CColor kBarTop (24, 26, 29);
const CColor kBarBottom (16, 17, 19);
const CColor kSectionTop (36, 39, 44);
const CColor kSectionBottom (30, 32, 36);
const CColor kEdgeLight (68, 73, 80);
const CColor kEdgeDark (12, 13, 15);
const CColor kLabel (176, 180, 186);
const CColor kTitle (214, 218, 224);
const CColor kSlot (17, 18, 21);
const CColor kGreen (96, 206, 128);
const CColor kBlue (84, 166, 236);
const CColor kOrange (244, 146, 52);
const CColor kAmber (246, 196, 74);
const CColor kRed (255, 72, 52);

struct Box
{
	double l, t, r, b;
};

// Layout of the controls, as the editor places them (left, top, right, bottom).
const Box kKnobs[] = {{79, 101, 167, 189},  {79, 268, 167, 356},  {331, 101, 419, 189}, {331, 268, 419, 356},
                      {430, 101, 518, 189}, {430, 268, 518, 356}, {529, 268, 617, 356}, {529, 101, 617, 189},
                      {629, 101, 717, 189}, {629, 268, 717, 356}, {725, 101, 813, 189}, {725, 268, 813, 356},
                      {821, 101, 909, 189}, {821, 268, 909, 356}};
const char* const kKnobLabels[] = {"PRE-DELAY", "WIDTH",     "ROOM SIZE", "DIFFUSION", "DAMP AMOUNT",
                                   "DAMPING",   "MOD SPEED", "MOD DEPTH", "LOW GAIN",  "LOW FREQ",
                                   "PEAK GAIN", "PEAK FREQ", "HIGH GAIN", "HIGH FREQ"};
const Box kTextFields[] = {{82, 184, 165, 209},  {82, 351, 165, 376},  {335, 184, 418, 209}, {335, 351, 418, 376},
                           {433, 184, 516, 209}, {433, 351, 516, 376}, {532, 351, 615, 376}, {532, 184, 615, 209},
                           {632, 184, 715, 209}, {632, 351, 715, 376}, {728, 184, 811, 209}, {728, 351, 811, 376},
                           {824, 184, 907, 209}, {825, 351, 908, 376}, {195, 351, 303, 376}, {13, 351, 69, 376},
                           {927, 351, 983, 376}, {984, 351, 1040, 376}, {1040, 351, 1096, 376}};
const Box kFaders[] = {{13, 80, 65, 363}, {932, 80, 984, 363}, {989, 80, 1041, 363}, {1046, 80, 1098, 363}};
const Box kMenus[] = {{178, 82, 323, 112}, {178, 137, 323, 167}, {356, 7, 568, 35}};
const Box kLogo {6, 5, 201, 36};
constexpr double kHandleHeight = 73;

void section (CPixelBuffer& img, Box b, const char* title)
{
	fillRoundRect (img, b.l + 1, b.t + 2, b.r + 1, b.b + 2, 6, withAlpha (kEdgeDark, 0.55), withAlpha (kEdgeDark, 0.55));
	fillRoundRect (img, b.l, b.t, b.r, b.b, 6, kSectionTop, kSectionBottom);
	strokeRoundRect (img, b.l, b.t, b.r, b.b, 6, 1, withAlpha (kEdgeLight, 0.8));
	if (title)
	{
		text (img, title, b.l, b.t + 3, b.r, b.t + 19, 11, kTitle, VSTGUI::kCenterText, 2);
		strokeLine (img, b.l + 12, b.t + 22.5, b.r - 12, b.t + 22.5, 1, withAlpha (kEdgeLight, 0.7));
	}
}

void inset (CPixelBuffer& img, Box b, double radius)
{
	fillRoundRect (img, b.l, b.t, b.r, b.b, radius, kSlot, CColor (24, 26, 30));
	strokeRoundRect (img, b.l, b.t, b.r, b.b, radius, 1, CColor (8, 9, 10, 255));
	strokeLine (img, b.l + radius, b.b - 0.5, b.r - radius, b.b - 0.5, 1, withAlpha (kEdgeLight, 0.6));
}

void faderTrack (CPixelBuffer& img, Box f)
{
	const double cx = (f.l + f.r) / 2;
	const double top = f.t + kHandleHeight / 2, bottom = f.b - kHandleHeight / 2;
	// Scale marks every tenth of the travel, longer at the ends and the middle.
	for (int i = 0; i <= 10; ++i)
	{
		const double y = std::floor (top + (bottom - top) * i / 10) + 0.5;
		const double len = (i % 5 == 0) ? 9 : 5;
		strokeLine (img, f.l + 1, y, f.l + 1 + len, y, 1, withAlpha (kLabel, 0.55));
		strokeLine (img, f.r - 1 - len, y, f.r - 1, y, 1, withAlpha (kLabel, 0.55));
	}
	fillRoundRect (img, cx - 3.5, top - 6, cx + 3.5, bottom + 6, 3.5, CColor (6, 6, 7), CColor (14, 15, 17));
	strokeRoundRect (img, cx - 3.5, top - 6, cx + 3.5, bottom + 6, 3.5, 1, withAlpha (kEdgeLight, 0.5));
}

void logo (CPixelBuffer& img)
{
	fillRoundRect (img, kLogo.l, kLogo.t, kLogo.r, kLogo.b, 5, CColor (40, 46, 56), CColor (22, 25, 31));
	strokeRoundRect (img, kLogo.l, kLogo.t, kLogo.r, kLogo.b, 5, 1, CColor (84, 98, 118));
	// Emblem: a source and three widening reflections.
	const double cx = kLogo.l + 16, cy = (kLogo.t + kLogo.b) / 2;
	fillCircle (img, cx, cy, 3, kBlue);
	for (int i = 1; i <= 3; ++i)
		strokeArc (img, cx, cy, 3 + 4.5 * i, 1.6, kPi / 3, -kPi / 3, withAlpha (kBlue, 1.0 - 0.22 * i));
	text (img, "TESSALINE", kLogo.l + 36, kLogo.t, kLogo.r - 6, kLogo.b, 19, CColor (232, 236, 242),
	      VSTGUI::kLeftText, 2.5);
}

CPixelBuffer background ()
{
	CPixelBuffer img (kWidth, kHeight, kPanelBottom);
	fillRoundRect (img, 0, 0, kWidth, kHeight, 0, kPanelTop, kPanelBottom);
	addGrain (img, 0, 0, kWidth, kHeight, 2, 1);
	// Top bar with the logo, the preset controls and the main bypass.
	fillRoundRect (img, 0, 0, kWidth, 42, 0, kBarTop, kBarBottom);
	strokeLine (img, 0, 42.5, kWidth, 42.5, 1, kEdgeLight);
	strokeLine (img, 0, 41.5, kWidth, 41.5, 1, kEdgeDark);
	logo (img);
	inset (img, kMenus[2], 4);
	text (img, "PRESET", 640, 8, 720, 34, 11, withAlpha (kLabel, 0.8), VSTGUI::kLeftText, 2);
	text (img, "STEREO REVERB", 760, 8, 920, 34, 11, withAlpha (kLabel, 0.8), VSTGUI::kRightText, 2);

	// Sections below the bar.
	section (img, {5, 46, 72, 377}, nullptr);
	section (img, {76, 46, 171, 377}, "SPACE");
	section (img, {175, 46, 326, 377}, nullptr);
	section (img, {328, 46, 621, 377}, "REVERB");
	section (img, {625, 46, 913, 377}, "EQUALIZER");
	section (img, {917, 46, 1101, 377}, nullptr);

	text (img, "EARLY REFLECTIONS", 178, 62, 323, 78, 11, kLabel, VSTGUI::kCenterText, 1);
	text (img, "REVERB PATTERN", 178, 117, 323, 133, 11, kLabel, VSTGUI::kCenterText, 1);
	text (img, "DECAY TIME", 178, 198, 323, 214, 11, kLabel, VSTGUI::kCenterText, 2);
	for (const Box& m : {kMenus[0], kMenus[1]})
		inset (img, m, 4);
	for (const Box& m : kMenus)
		fillTriangle (img, m.r - 14, m.t + (m.b - m.t) / 2 - 2, m.r - 6, m.t + (m.b - m.t) / 2 - 2, m.r - 10,
		              m.t + (m.b - m.t) / 2 + 3, withAlpha (kLabel, 0.8));

	for (size_t i = 0; i < sizeof (kKnobs) / sizeof (kKnobs[0]); ++i)
	{
		const Box& k = kKnobs[i];
		text (img, kKnobLabels[i], k.l - 4, k.t - 16, k.r + 4, k.t, 11, kLabel, VSTGUI::kCenterText, 1);
	}
	// Value read-outs: plain recessed slots, nothing drawn inside.
	for (const Box& f : kTextFields)
		inset (img, {f.l + 3, f.t + 3, f.r - 3, f.b - 3}, 3);
	for (const Box& f : kFaders)
		faderTrack (img, f);
	return img;
}

// A knob filmstrip: frames of size x size, the pointer sweeping 270 degrees from lower left.
CPixelBuffer knob (int size, int frames, CColor accent, bool bipolar)
{
	CPixelBuffer strip (size, size * frames);
	const double s = size / 88.0;
	const double cx = size / 2.0, cy = size / 2.0 - 2 * s;
	const double start = kPi * 1.25, sweep = kPi * 1.5;
	for (int f = 0; f < frames; ++f)
	{
		CPixelBuffer frame (size, size);
		const double v = double (f) / (frames - 1);
		const double angle = start - sweep * v;
		// Ring: the whole range dim, the value lit.
		strokeArc (frame, cx, cy, 38 * s, 3.2 * s, start, start - sweep, CColor (14, 15, 17));
		if (bipolar)
		{
			const double middle = start - sweep / 2;
			if (angle < middle - 1e-9)
				strokeArc (frame, cx, cy, 38 * s, 3.2 * s, middle, angle, accent);
			else if (angle > middle + 1e-9)
				strokeArc (frame, cx, cy, 38 * s, 3.2 * s, angle, middle, accent);
			fillCircle (frame, cx, cy - 38 * s, 1.2 * s, withAlpha (kLabel, 0.8));
		}
		else if (v > 0)
			strokeArc (frame, cx, cy, 38 * s, 3.2 * s, start, angle, accent);
		// Body, rim and cap.
		fillCircle (frame, cx + 1.5 * s, cy + 2.5 * s, 31 * s, withAlpha (CColor (0, 0, 0), 0.55));
		fillShadedCircle (frame, cx, cy, 30 * s, CColor (112, 117, 126), CColor (30, 32, 36));
		fillShadedCircle (frame, cx, cy, 26 * s, CColor (58, 62, 69), CColor (74, 78, 86));
		strokeCircle (frame, cx, cy, 26 * s, 1, withAlpha (CColor (10, 10, 12), 0.6));
		// Pointer.
		const double ca = dcos (angle), sa = dsin (angle);
		strokeLine (frame, cx + ca * 9 * s, cy - sa * 9 * s, cx + ca * 23 * s, cy - sa * 23 * s, 3.2 * s,
		            CColor (238, 240, 244));
		fillCircle (frame, cx + ca * 33.5 * s, cy - sa * 33.5 * s, 1.6 * s, accent);
		blit (strip, frame, 0, f * size);
	}
	return strip;
}

CPixelBuffer faderHandle (CColor line)
{
	CPixelBuffer img (52, 73);
	fillRoundRect (img, 3, 4, 51, 72, 5, withAlpha (CColor (0, 0, 0), 0.5), withAlpha (CColor (0, 0, 0), 0.5));
	fillRoundRect (img, 2, 2, 50, 71, 5, CColor (206, 209, 214), CColor (104, 107, 114));
	strokeRoundRect (img, 2, 2, 50, 71, 5, 1, CColor (40, 42, 46));
	for (int i = 0; i < 6; ++i)
	{
		const double up = 9.5 + 4 * i, down = 63.5 - 4 * i;
		strokeLine (img, 8, up, 44, up, 1, withAlpha (CColor (60, 62, 66), 0.8));
		strokeLine (img, 8, down, 44, down, 1, withAlpha (CColor (60, 62, 66), 0.8));
	}
	fillRoundRect (img, 4, 35, 48, 39, 1, line, line);
	return img;
}

// Two states stacked: state 0 (off) above, state 1 (lit) below.
CPixelBuffer bypassButton (int width, int height, const char* label, double textSize)
{
	CPixelBuffer img (width, height * 2);
	for (int state = 0; state < 2; ++state)
	{
		const double t = state * height;
		const bool lit = state == 1;
		fillRoundRect (img, 1, t + 1, width - 1, t + height - 1, 4, lit ? CColor (86, 34, 30) : CColor (58, 62, 68),
		               lit ? CColor (52, 20, 18) : CColor (34, 36, 40));
		strokeRoundRect (img, 1, t + 1, width - 1, t + height - 1, 4, 1, lit ? CColor (200, 70, 50) : CColor (14, 15, 17));
		const double ledX = width / 2.0, ledY = t + 7;
		if (lit)
			fillCircle (img, ledX, ledY, 5, withAlpha (kRed, 0.35));
		fillCircle (img, ledX, ledY, 2.5, lit ? kRed : CColor (70, 30, 28));
		text (img, label, 0, t + 11, width, t + height - 1, textSize, lit ? CColor (255, 214, 200) : kLabel);
	}
	return img;
}

CPixelBuffer presetStep (bool next)
{
	CPixelBuffer img (23, 54);
	for (int state = 0; state < 2; ++state)
	{
		const double t = state * 27;
		fillRoundRect (img, 1, t + 1, 22, t + 26, 3, state ? CColor (30, 33, 37) : CColor (62, 66, 73),
		               state ? CColor (44, 48, 54) : CColor (38, 41, 46));
		strokeRoundRect (img, 1, t + 1, 22, t + 26, 3, 1, CColor (12, 13, 15));
		const CColor arrow = state ? kBlue : kLabel;
		if (next)
			fillTriangle (img, 8, t + 8, 16, t + 13.5, 8, t + 19, arrow);
		else
			fillTriangle (img, 15, t + 8, 7, t + 13.5, 15, t + 19, arrow);
	}
	return img;
}

CPixelBuffer lockButton ()
{
	CPixelBuffer img (23, 54);
	for (int state = 0; state < 2; ++state)
	{
		const double t = state * 27;
		const bool locked = state == 1;
		fillRoundRect (img, 1, t + 1, 22, t + 26, 3, CColor (62, 66, 73), CColor (38, 41, 46));
		strokeRoundRect (img, 1, t + 1, 22, t + 26, 3, 1, locked ? CColor (160, 120, 40) : CColor (12, 13, 15));
		const CColor c = locked ? kAmber : kLabel;
		// Shackle: closed over the body when locked, lifted and open when not.
		const double lift = locked ? 0 : 3;
		strokeArc (img, 11.5, t + 11 - lift, 4, 1.8, kPi, locked ? 0 : kPi / 4, c);
		if (locked)
			strokeLine (img, 15.5, t + 11, 15.5, t + 13, 1.8, c);
		strokeLine (img, 7.5, t + 11 - lift, 7.5, t + 13, 1.8, c);
		fillRoundRect (img, 5.5, t + 13, 17.5, t + 21, 1.5, c, mix (c, CColor (0, 0, 0), 0.3));
		fillCircle (img, 11.5, t + 16.5, 1.2, CColor (30, 30, 30));
	}
	return img;
}

CPixelBuffer bypassToggle ()
{
	CPixelBuffer img (156, 58);
	for (int state = 0; state < 2; ++state)
	{
		const double t = state * 29;
		const bool lit = state == 1;
		fillRoundRect (img, 1, t + 1, 155, t + 28, 5, lit ? CColor (120, 34, 28) : CColor (60, 64, 71),
		               lit ? CColor (70, 18, 16) : CColor (34, 36, 40));
		strokeRoundRect (img, 1, t + 1, 155, t + 28, 5, 1, lit ? CColor (230, 80, 60) : CColor (12, 13, 15));
		if (lit)
			fillCircle (img, 18, t + 14.5, 7, withAlpha (kRed, 0.35));
		fillCircle (img, 18, t + 14.5, 3.5, lit ? kRed : CColor (70, 30, 28));
		text (img, "BYPASS", 30, t + 2, 150, t + 28, 14, lit ? CColor (255, 220, 210) : kTitle, VSTGUI::kCenterText, 3);
	}
	return img;
}

CPixelBuffer about ()
{
	CPixelBuffer img (400, 380);
	fillRoundRect (img, 0, 0, 400, 380, 10, CColor (30, 36, 46), CColor (12, 14, 18));
	strokeRoundRect (img, 0, 0, 400, 380, 10, 2, CColor (84, 130, 190));
	addGrain (img, 4, 4, 396, 376, 2, 7);
	// Reflections spreading from a source: the plug-in's emblem, large.
	const double cx = 200, cy = 150;
	for (int i = 0; i < 9; ++i)
		strokeArc (img, cx, cy, 18 + 13 * i, 2.2, kPi * 0.95, kPi * 0.05,
		           withAlpha (mix (kBlue, kGreen, i / 8.0), 0.85 - 0.08 * i));
	fillCircle (img, cx, cy, 9, kBlue);
	text (img, "TESSALINE", 0, 176, 400, 226, 40, CColor (236, 240, 246), VSTGUI::kCenterText, 6);
	text (img, "STEREO REVERB", 0, 226, 400, 248, 14, kLabel, VSTGUI::kCenterText, 4);
	text (img, "Version 2.0.1.1", 0, 262, 400, 280, 13, kTitle);
	text (img, "Double-precision engine  -  VST 3 and VST 2.4", 0, 284, 400, 302, 12, kLabel);
	text (img, "Ten early reflections, ten combs, five diffusers", 0, 302, 400, 320, 12, kLabel);
	text (img, "Click anywhere to close", 0, 344, 400, 364, 11, withAlpha (kLabel, 0.7));
	return img;
}

} // namespace

std::vector<GeneratedImage> generateImages ()
{
	std::vector<GeneratedImage> images;
	images.push_back ({"Background.png", background ()});
	images.push_back ({"Knob_green.png", knob (88, 101, kGreen, false)});
	images.push_back ({"Knob_large.png", knob (140, 151, kAmber, false)});
	images.push_back ({"Knob_blue.png", knob (88, 101, kBlue, false)});
	images.push_back ({"Knob_orange.png", knob (88, 101, kOrange, false)});
	images.push_back ({"Knob_orange2.png", knob (88, 101, kAmber, true)});
	images.push_back ({"Fader_left.png", faderHandle (CColor (240, 242, 246))});
	images.push_back ({"Fader_right.png", faderHandle (kOrange)});
	images.push_back ({"DRY_bp.png", bypassButton (41, 31, "DRY", 11)});
	images.push_back ({"E.R_bp.png", bypassButton (42, 31, "E.R.", 11)});
	images.push_back ({"REVERB_bp.png", bypassButton (70, 31, "REVERB", 11)});
	images.push_back ({"WET_bp.png", bypassButton (42, 31, "WET", 11)});
	images.push_back ({"last_preset.png", presetStep (false)});
	images.push_back ({"next_preset.png", presetStep (true)});
	images.push_back ({"lock_button.png", lockButton ()});
	images.push_back ({"Toggle_bp.png", bypassToggle ()});
	images.push_back ({"About.png", about ()});
	return images;
}
