# `cpack -G DEB` in a Release build makes the Debian package of everything Install.cmake
# installs. Its library dependencies come from dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME moldrin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Moldrin developers")
set(CPACK_PACKAGE_CONTACT "Moldrin developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vertex-level geoset editor and merger for Warcraft III MDL models")
set(CPACK_PACKAGE_DESCRIPTION
"moldrin opens a Warcraft III model in the MDL text format and edits one of its
geosets at the vertex level in three orthographic views: box selection; move,
rotate, scale and extrude by dragging; weld, snap, mirror, align and delete;
normals; vertex groups and matrices; markers; undo; and a texture coordinate
editor. It saves the whole model, or the geoset alone as a small model.
quellon inserts the geosets of one model into a base model, bound to a chosen
bone, with a new texture and material.
moldrin-batch and quellon-batch drive the same code from the command line.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Moldrin developers")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET moldrin)
    # Qt's library only recommends its platform plugins, without which no window opens; the
    # image format plugins let the texture coordinate editor show more kinds of pictures. The
    # 3D view and moldrin-batch's preview draw through libOpenGL and libEGL (found by
    # dpkg-shlibdeps), which need a driver: Mesa's EGL and its software renderer draw without
    # any GPU. Without them the window shows that the 3D view is not available.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
        "qt6-image-formats-plugins, libegl-mesa0, libgl1-mesa-dri")
endif()

include(CPack)
