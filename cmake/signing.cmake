# Authenticode signatures (SHA-256, by osslsigncode) on the Windows programs and their package,
# when a code-signing certificate is given at configure time:
#   QUILLMARTEN_SIGN_PKCS12          a PKCS#12 file holding the certificate, its chain and the key,
#   or QUILLMARTEN_SIGN_CERT         the certificate, its chain after it (PEM or DER)
#      and QUILLMARTEN_SIGN_KEY      its key;
#   QUILLMARTEN_SIGN_TIMESTAMP_URL   an RFC 3161 timestamp server, so that the signatures stay
#                                    valid after the certificate expires (optional).
# The key's password, if it has one, is read from the environment variable
# QUILLMARTEN_SIGN_PASSWORD when the build signs: it lands in no cache and on no command line.
# Without a certificate nothing is signed.
set(QUILLMARTEN_SIGN_PKCS12 "" CACHE FILEPATH "PKCS#12 file with the code-signing certificate and key")
set(QUILLMARTEN_SIGN_CERT "" CACHE FILEPATH "Code-signing certificate, with its chain")
set(QUILLMARTEN_SIGN_KEY "" CACHE FILEPATH "Key of the code-signing certificate")
set(QUILLMARTEN_SIGN_TIMESTAMP_URL "" CACHE STRING "RFC 3161 timestamp server for the signatures")

# QUILLMARTEN_SIGNING: the command that signs the file named after it, empty when nothing is signed.
set(QUILLMARTEN_SIGNING "")
set(signing_files "")
if(QUILLMARTEN_SIGN_PKCS12 AND NOT QUILLMARTEN_SIGN_CERT AND NOT QUILLMARTEN_SIGN_KEY)
    set(signing_files ${QUILLMARTEN_SIGN_PKCS12})
    set(QUILLMARTEN_SIGNING -pkcs12 ${QUILLMARTEN_SIGN_PKCS12})
elseif(QUILLMARTEN_SIGN_CERT AND QUILLMARTEN_SIGN_KEY AND NOT QUILLMARTEN_SIGN_PKCS12)
    set(signing_files ${QUILLMARTEN_SIGN_CERT} ${QUILLMARTEN_SIGN_KEY})
    set(QUILLMARTEN_SIGNING -certs ${QUILLMARTEN_SIGN_CERT} -key ${QUILLMARTEN_SIGN_KEY})
elseif(QUILLMARTEN_SIGN_PKCS12 OR QUILLMARTEN_SIGN_CERT OR QUILLMARTEN_SIGN_KEY)
    message(FATAL_ERROR "Signing takes either QUILLMARTEN_SIGN_PKCS12, or QUILLMARTEN_SIGN_CERT "
        "and QUILLMARTEN_SIGN_KEY together")
elseif(QUILLMARTEN_SIGN_TIMESTAMP_URL)
    message(FATAL_ERROR "QUILLMARTEN_SIGN_TIMESTAMP_URL needs a certificate to sign with")
endif()
if(QUILLMARTEN_SIGNING)
    foreach(file IN LISTS signing_files)
        if(NOT EXISTS ${file})
            message(FATAL_ERROR "No such signing file: ${file}")
        endif()
    endforeach()
    find_program(QUILLMARTEN_OSSLSIGNCODE osslsigncode REQUIRED)
    if(QUILLMARTEN_SIGN_TIMESTAMP_URL)
        list(APPEND QUILLMARTEN_SIGNING -ts ${QUILLMARTEN_SIGN_TIMESTAMP_URL})
    endif()
    set(QUILLMARTEN_SIGNING ${PROJECT_SOURCE_DIR}/cmake/sign.sh ${QUILLMARTEN_OSSLSIGNCODE}
        ${QUILLMARTEN_SIGNING})
    list(JOIN signing_files " and " signing_text)
    message(STATUS "Signing the programs and the package with ${signing_text}")
endif()

# quillmarten_sign(TARGET): the program is signed right after it is linked, so that everything
# after (the package, the tests) takes the signed file; a new certificate links it anew.
function(quillmarten_sign target)
    if(QUILLMARTEN_SIGNING)
        add_custom_command(TARGET ${target} POST_BUILD
            COMMAND ${QUILLMARTEN_SIGNING} $<TARGET_FILE:${target}> VERBATIM)
        set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${signing_files})
    endif()
endfunction()
