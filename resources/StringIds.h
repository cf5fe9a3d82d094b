#pragma once
// Identifiers of the string table in strings.rc. Shared by C++ code and the
// resource script, so this header holds nothing but #define lines.

// The platform's own messages.
#define IDS_FILE_OPEN_ERROR        65024  // "파일 %s 은 열지 않습니다"
#define IDS_FILE_CREATE_ERROR      65025  // "파일 %s 을 작성할 수 없습니다"
#define IDS_STREAM_WRITE_ERROR     65026  // "스트림에의 기록 에러"
#define IDS_INI_WRITE_ERROR        65027  // "%s 에 기록할 수 없습니다"
#define IDS_REGISTRY_SET_ERROR     65028  // "'%s' 의 설정에 실패했습니다"
#define IDS_REGISTRY_TYPE_ERROR    65029  // "'%s' 의 데이터 형이 부정합니다"
#define IDS_REGISTRY_READ_ERROR    65030  // "'%s' 의 취득에 실패했습니다"
#define IDS_INVALID_CAST           65031  // "잘못된 클래스 형 캐스트"
#define IDS_OLE_ERROR              65032  // "OLE 에러 %.8x"
#define IDS_CANNOT_CREATE_FOLDER   65033  // "디렉토리를 작성할 수 없습니다"
#define IDS_INTERFACE_NOT_SUPPORTED 65034
#define IDS_OUT_OF_MEMORY          65035
#define IDS_SYSTEM_ERROR           65036  // code and system text of a failed call
#define IDS_READ_ERROR             65037  // a read that delivered nothing before the end
#define IDS_UNKNOWN_EXCEPTION      65038  // an exception that carries no text
#define IDS_RESOURCE_NOT_FOUND     65039  // the program lacks one of its own resources

// The program's own messages.
#define IDS_PATH_NOT_ALLOWED       65312
#define IDS_DEVICE_NOT_READY       65313
#define IDS_CREATE_FOLDER_QUESTION 65314
#define IDS_CANNOT_MAKE_FOLDER     65315
#define IDS_WILL_INSTALL           65316
#define IDS_WILL_CREATE_FOLDER     65317
#define IDS_CANNOT_LOAD_ARCHIVER   65318
#define IDS_ARCHIVER_INVALID       65319
#define IDS_INSTALL_COMPLETE       65320
#define IDS_INSTALL_ABANDONED      65321
#define IDS_INSERT_DISK            65322

// Captions of the forms and the application (layouts in resources/*Layout.h).
#define IDS_APP_TITLE              100  // "세트 업"
#define IDS_FORM_FONT_FACE         101  // "굴림체"
#define IDS_BACKGROUND_CAPTION     110  // "FormBackground"
#define IDS_FIRST_DIALOG_CAPTION   120  // "설치"
#define IDS_BASE_FOLDER_GROUP      121  // "설치 기준 경로"
#define IDS_OPTIONS_GROUP          122  // "옵션"
#define IDS_REGISTER_PROGRAM       123  // shortcut option
#define IDS_PREPARE_UNINSTALL      124  // uninstall option
#define IDS_START_BUTTON           125  // "설치 시작"
#define IDS_CANCEL_BUTTON          126  // "취소"

// Names the program gives to what it creates.
#define IDS_SHORTCUT_GAMES_FOLDER  130  // "게임", the shortcut folder below "Qelvar"
