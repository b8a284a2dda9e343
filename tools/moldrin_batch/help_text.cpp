#include "batch_context.h"
#include "check_models.h"

namespace batch {

const char* const usageLine = "usage: moldrin-batch MODEL [--geoset N] STEP...";
const char* const convertUsageLine = "   or: moldrin-batch --convert IN OUT";
const char* const convertImageUsageLine =
    "   or: moldrin-batch --convert-image IN OUT [--quality Q]";

// The step list is read by the man page test: every name in the indented lines below "Steps:"
// must be a step the tool takes and must appear in the man page.
std::string helpText() {
    return std::string(usageLine) + "\n" + convertUsageLine + "\n" + convertImageUsageLine + "\n" +
           checkUsageLine +
           "\n"
           "\n"
           "Opens geoset N of MODEL (MDL text, or binary MDX known by its MDLX header) in the\n"
           "editor's core and runs the steps in order, as the editor's window would. save\n"
           "writes the format MODEL has; save-as and save-geoset write MDX to a PATH ending\n"
           "in .mdx and MDL text to any other. NAME=a,b passes the answers a and b to the\n"
           "step's prompts; an answer left out is Cancel. Message boxes are printed to\n"
           "standard error as \"TITLE: TEXT\"; the run stops after a message titled \"Error\".\n"
           "\n"
           "--convert-image reads IN (BLP, TGA, PNG, JPEG, GIF or BMP) and writes OUT in the\n"
           "format its extension names (.blp, .tga, .png, .jpg or .bmp); Q is the JPEG and BLP\n"
           "quality, 1 to 100 (default 90).\n"
           "\n"
           "preview draws the whole model textured in perspective, fitted, into a W x H\n"
           "picture, seen from YAW degrees about the up axis and PITCH degrees above\n"
           "(default 30,15); it needs no display (Mesa's surfaceless OpenGL).\n"
           "\n"
           "Options:\n"
           "  --geoset N   the geoset to edit, counted from 1 (default 1)\n"
           "  --convert IN OUT\n"
           "               convert the whole model IN (MDL, or MDX known by its MDLX header)\n"
           "               to the format OUT's extension names, .mdl or .mdx; every value is\n"
           "               kept, and what MDL text cannot hold is named in one warning\n"
           "  --check PATH...\n"
           "               check every model named, and every .mdl and .mdx in the folders\n"
           "               named, on all cores; one line a problem, \"path: severity id:\n"
           "               message\"; exit 1 when a model has an error, 2 when one cannot\n"
           "               be read\n"
           "  --json       with --check, one JSON object a model a line\n"
           "  --fix OUT_DIR\n"
           "               with --check, apply every certain fix and write each model it\n"
           "               changed into OUT_DIR under its own name and format\n"
           "  -h, --help   print this help and exit\n"
           "  --version    print the version and exit\n"
           "\n"
           "Steps (VIEW is front, top or left):\n"
           " model:\n"
           "  info dump save save-as=PATH save-geoset=PATH new=PATH switch-geoset=N\n"
           "  merge-geoset=PATH[,N]\n"
           " selection:\n"
           "  select-all invert-selection expand-selection select=i,j,...\n"
           "  box-select=VIEW,h1,v1,h2,v2 mode=S|A|D count-vertices count-faces\n"
           "  select-group=G group-of-selection\n"
           " transforming:\n"
           "  transform=M|R|S|E drag=VIEW,h1,v1,h2,v2 move=dx,dy,dz rotate=amount,axis\n"
           "  scale=a,b extrude=dx,dy,dz clone axis=x|y|z undo redo\n"
           "  undo-names\n"
           " tools:\n"
           "  snap weld delete delete-face mirror=x|y|z align=x|y|z set-coordinates=X,Y,Z\n"
           "  recalc-normals snap-normals assign-group=G view-matrices add-matrix=id1,id2,...\n"
           " markers:\n"
           "  add-marker=Z,X,Y add-marker-at-selection remove-last-marker remove-all-markers\n"
           "  markers view-com copy-com\n"
           " texture coordinates:\n"
           "  uv-open uv-box=u1,v1,u2,v2 uv-mode=S|A|D uv-transform=M|R|S uv-drag=u1,v1,u2,v2\n"
           "  uv-axis=x|y uv-remap=Top|Front|Left uv-select-all uv-invert uv-save uv-dump\n"
           "  uv-image=PATH uv-export=OUT.png[,SIZE]\n"
           " 3D preview:\n"
           "  preview=OUT.png,W,H[,YAW,PITCH]\n"
           "\n"
           "Exit status: 0 on success, 1 after an error, 2 on bad arguments.\n";
}

} // namespace batch
