# A real FTP server for the publish tests, on 127.0.0.1:
#   ftp_server.py ROOT USER PASSWORD PORT [--tls CERT KEY] [--no-replace]
# prints its port (a free one for 0) and serves until killed. --tls: TLS on
# the login and the files; --no-replace: no rename onto a file, as some do.
import errno, os, sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler, TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer

root, user, password, port, *rest = sys.argv[1:]
handler = FTPHandler
if "--tls" in rest:
    handler = TLS_FTPHandler
    handler.certfile, handler.keyfile = rest[rest.index("--tls") + 1:][:2]
    handler.tls_control_required = handler.tls_data_required = True

    # libcurl starts TLS on a data connection before the STOR, as other
    # servers allow; pyftpdlib would take that for a dropped connection.
    class EarlyHandshake(TLS_DTPHandler):
        def readable(self):
            if self._ssl_accepting or self._ssl_want_read:
                return True
            return (self.receive or self._initialized) and super().readable()
    handler.dtp_handler = EarlyHandshake
if "--no-replace" in rest:
    class NoReplace(AbstractedFS):
        def rename(self, src, dst):
            if os.path.exists(dst):
                raise OSError(errno.EEXIST, "File exists")
            super().rename(src, dst)
    handler.abstracted_fs = NoReplace
handler.authorizer = DummyAuthorizer()
handler.authorizer.add_user(user, password, root, perm="elradfmw")
server = FTPServer(("127.0.0.1", int(port)), handler)
print(server.socket.getsockname()[1], flush=True)
server.serve_forever()
