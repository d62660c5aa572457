#pragma once

class CControlUI;
class CPaintManagerUI;

// A static layout cannot say "this button is under the pointer"; a gallery asks for such states
// in a control's user data, and the previewer produces them with the input the control would
// get from a user (or with its own operations, for data only code supplies):
//
//   userdata="preview: hot"                 pointer over it
//   userdata="preview: pushed"              pressed and held (a slider: on its thumb)
//   userdata="preview: focused"             drawn as focused (several controls may be)
//   userdata="preview: select=2"            list or combo item 2 selected
//   userdata="preview: power=2,80,1,1,0"    the first power display inside: kind, then report
//                                           bytes 0, 1, 3 and 5
//   userdata="preview: update=4,40,MS,V0103,V0105,0|7,0,AP,V0100"   the update rows inside, in
//                                           order: state, progress, name, old and new version,
//                                           check selected
//   userdata="preview: row=A|Down|50"       macro row: its two texts and its delay
//   userdata="preview: pulse=5"             record button: five pulse steps
//   userdata="preview: light; keyset"       key button: light overlay, key-set mark shown
//   userdata="preview: badge=hot"           picture button: pointer over it (and over its delete
//                                           badge with "hot"), badge enabled
//   userdata="preview: band=10,10,120,60"   selection panel: a rubber band being dragged (layout
//                                           units from the panel's top-left corner)
//   userdata="preview: pan=40,20"           panning picture: the pointer dragged left by 40 and up
//                                           by 20 window pixels
//   userdata="preview: levels"              audio bars: a fixed test signal
//   userdata="preview: chart=A:3,B:5,C:2"   chart items
//
// Directives are separated by ';'. Unknown ones are ignored. The tree must be laid out.
void ApplyPreviewStates(CPaintManagerUI& manager, CControlUI* root);
